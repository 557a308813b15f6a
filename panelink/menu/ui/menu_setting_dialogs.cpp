#include "panelink/menu/ui/menu_setting_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <utility>

#include "panelink/menu/menu_command.h"

namespace panelink {
namespace {

// Check boxes stand in columns of this many.
constexpr int kBoxesPerColumn = 6;
// Room beside a tone's text inside its column.
constexpr int kToneTextMargin = 6;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

MenuSettingDialog::MenuSettingDialog(MenuDialogKind kind, const std::string& heading,
                                     QWidget* parent)
    : QDialog(parent), kind_(kind) {
    setWindowTitle(QString::fromUtf8(kMenuSettingTitle.data(),
                                     static_cast<qsizetype>(kMenuSettingTitle.size())));
    setModal(true);

    heading_ = new QLabel(text(heading), this);
    heading_->setObjectName(QStringLiteral("heading%1").arg(kHeadingId));

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("CANCEL"), this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    layout_ = new QVBoxLayout(this);
    layout_->addWidget(heading_);
    layout_->addWidget(buttons);
    layout_->setSizeConstraint(QLayout::SetFixedSize);
}

void MenuSettingDialog::setBody(QWidget* body) {
    layout_->insertWidget(1, body);
}

MenuChoiceDialog::MenuChoiceDialog(ChoiceDialog contents, QWidget* parent)
    : MenuSettingDialog(MenuDialogKind::Choice, contents.heading, parent),
      contents_(std::move(contents)) {
    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("choiceList%1").arg(kListId));
    list_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const ChoiceEntry& entry : contents_.entries)
        list_->addItem(text(entry.text));
    list_->setCurrentIndex(contents_.preselected ? static_cast<int>(*contents_.preselected) : -1);
    setBody(list_);
    // The keyboard changes the setting at once; Enter then takes it.
    list_->setFocus();
}

bool MenuChoiceDialog::applyTo(MenuListModel& model, std::size_t line) const {
    const int index = list_->currentIndex();
    if (index < 0) return false;
    return model.applyChoice(line, contents_, static_cast<std::size_t>(index));
}

MenuCheckBoxDialog::MenuCheckBoxDialog(MenuDialogKind kind, CheckBoxDialog contents,
                                       QWidget* parent)
    : MenuSettingDialog(kind, contents.heading, parent), contents_(std::move(contents)) {
    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t k = 0; k < contents_.boxes.size(); ++k) {
        const CheckBox& box = contents_.boxes[k];
        auto* check = new QCheckBox(text(box.label), body);
        check->setChecked(box.checked);
        const int position = static_cast<int>(k);
        grid->addWidget(check, position % kBoxesPerColumn, position / kBoxesPerColumn);
        boxes_.push_back(check);
    }
    setBody(body);
    if (!boxes_.empty()) boxes_.front()->setFocus();
}

bool MenuCheckBoxDialog::applyTo(MenuListModel& model, std::size_t line) const {
    CheckBoxDialog answer = contents_;
    for (std::size_t k = 0; k < answer.boxes.size(); ++k)
        answer.boxes[k].checked = boxes_[k]->isChecked();
    return model.applyCheckBoxes(line, answer);
}

MenuToneDialog::MenuToneDialog(ToneDialog contents, QWidget* parent)
    : MenuSettingDialog(MenuDialogKind::Tone, contents.heading, parent),
      contents_(std::move(contents)) {
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("toneList%1").arg(kListId));
    // Filled top to bottom, a new column every kToneRows lines.
    list_->setViewMode(QListView::ListMode);
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    // Laid out again at its final size, which it only gets once shown.
    list_->setResizeMode(QListView::Adjust);
    list_->setUniformItemSizes(true);
    list_->setSpacing(0);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int widest = 0;
    for (const ToneEntry& entry : contents_.entries) {
        list_->addItem(text(entry.text));
        widest = std::max(widest, list_->fontMetrics().horizontalAdvance(text(entry.text)));
    }
    // The column keeps its width unless the font needs more.
    const int column = std::max(kColumnWidth, widest + kToneTextMargin);
    list_->setGridSize(QSize(column, kRowHeight));
    // The view starts a new column once a line would pass its last pixel row, so the height
    // takes one pixel more than the rows.
    const int frame = 2 * list_->frameWidth();
    list_->setFixedSize(column * static_cast<int>(kToneColumns) + frame,
                        kRowHeight * static_cast<int>(kToneRows) + 1 + frame);
    if (contents_.preselected) list_->setCurrentRow(static_cast<int>(*contents_.preselected));
    setBody(list_);
    list_->setFocus();
}

std::optional<std::size_t> MenuToneDialog::chosen() const {
    const int row = list_->currentRow();
    if (row < 0 || !list_->item(row)->isSelected()) return std::nullopt;
    return static_cast<std::size_t>(row);
}

bool MenuToneDialog::applyTo(MenuListModel& model, std::size_t line) const {
    return model.applyTone(line, contents_, chosen());
}

MenuTextDialog::MenuTextDialog(const TextDialog& contents, QWidget* parent)
    : MenuSettingDialog(MenuDialogKind::Text, contents.heading, parent) {
    edit_ = new QLineEdit(text(contents.text), this);
    edit_->setObjectName(QStringLiteral("textEdit%1").arg(kEditId));
    edit_->setMaxLength(kMenuTextMax);
    // The text travels inside an "EX" command: a ";" would end the command early, and the
    // transceiver takes one byte per character.
    edit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[\\x20-\\x3A\\x3C-\\x7E]*")), edit_));
    edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QString(kMenuTextMax, 'W')));
    setBody(edit_);
    edit_->setFocus();
}

bool MenuTextDialog::applyTo(MenuListModel& model, std::size_t line) const {
    return model.applyText(line, edit_->text().toStdString());
}

MenuSettingDialog* createMenuSettingDialog(const MenuListModel& model, std::size_t line,
                                           QWidget* parent) {
    switch (model.dialogKind(line)) {
        case MenuDialogKind::Choice:
            return new MenuChoiceDialog(model.choiceDialog(line), parent);
        case MenuDialogKind::BandCheckBoxes:
        case MenuDialogKind::ModeCheckBoxes:
            return new MenuCheckBoxDialog(model.dialogKind(line), model.checkBoxDialog(line),
                                          parent);
        case MenuDialogKind::Tone:
            return new MenuToneDialog(model.toneDialog(line), parent);
        case MenuDialogKind::Text:
            return new MenuTextDialog(model.textDialog(line), parent);
        case MenuDialogKind::None:
            break;
    }
    return nullptr;
}

}  // namespace panelink
