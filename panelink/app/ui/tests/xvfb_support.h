#pragma once

// The real program on a real X server: an Xvfb display for a test's lifetime, pictures of
// its windows through panelink-screengrab, and its windows, the pointer and the keys through
// xdotool. No window manager runs on that display, so a top-level window's X window is its
// whole outer frame.

#include <unistd.h>

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "panelink/app/ui/tests/program_test_support.h"
#include "shared/platform/testing/scratch_dir.h"

namespace panelink::apptest {

inline bool installed(const char* program) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

// An X server for the test's lifetime. The server picks a free display itself and reports
// its number (-displayfd): tests run side by side never race for the same display, as they
// could when each looked for a free one first and started its server after. It listens
// only on its local socket and needs no authority file.
class XServer {
  public:
    bool start(const std::filesystem::path& directory) {
        process_.setStandardErrorFile(qpath(directory / "xvfb.log"));
        process_.start(
            QStringLiteral("Xvfb"),
            {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
             QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
             QStringLiteral("tcp")});
        if (!process_.waitForStarted(5000)) return false;
        QByteArray number;
        while (!number.contains('\n') && process_.waitForReadyRead(20000))
            number += process_.readAllStandardOutput();
        if (!number.contains('\n')) return false;
        display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
        return true;
    }

    ~XServer() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display_);
        environment.remove(QStringLiteral("XAUTHORITY"));
        return environment;
    }

  private:
    QProcess process_;
    QString display_;
};

// A window titled `title`, grabbed from the X server; with `panelOnly` just the panel below
// the menu bar of the main window. A null image when it failed.
inline QImage grabWindow(const QProcessEnvironment& environment, const QString& title,
                         const std::filesystem::path& file, bool panelOnly) {
    QProcess grab;
    grab.setProcessEnvironment(environment);
    grab.setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList arguments{QStringLiteral("--title"), title, QStringLiteral("--out"), qpath(file)};
    if (panelOnly) arguments << QStringLiteral("--panel");
    grab.start(QStringLiteral(PANELINK_TEST_SCREENGRAB), arguments);
    if (!grab.waitForFinished(30000) || grab.exitCode() != 0) return {};
    return QImage(qpath(file)).convertToFormat(QImage::Format_RGB32);
}

// A visible window as xdotool reports it: its X id, its title and its outer rectangle on the
// screen.
struct XWindow {
    QString id;
    QString title;
    QRect rect;
};

// xdotool on the test's display.
class XTool {
  public:
    // X mouse buttons: 4 and 5 are one wheel step up (away from the user) and down.
    enum Button : int { kLeft = 1, kRight = 3, kWheelUp = 4, kWheelDown = 5 };

    explicit XTool(const QProcessEnvironment& environment) : environment_(environment) {}

    // The standard output of one xdotool command line; nullopt when it failed.
    std::optional<QString> run(const QStringList& arguments) const {
        QProcess tool;
        tool.setProcessEnvironment(environment_);
        tool.start(QStringLiteral("xdotool"), arguments);
        if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit ||
            tool.exitCode() != 0)
            return std::nullopt;
        return QString::fromUtf8(tool.readAllStandardOutput());
    }

    // The visible windows titled exactly `title`.
    std::vector<XWindow> windowsTitled(const QString& title) const {
        const QString pattern = QLatin1Char('^') + QRegularExpression::escape(title) + '$';
        return describeAll({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                            QStringLiteral("--name"), pattern});
    }

    // The visible windows of a process: its top-level windows, boxes and pop-up menus.
    std::vector<XWindow> windowsOf(qint64 pid) const {
        return describeAll({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                            QStringLiteral("--pid"), QString::number(pid)});
    }

    bool click(QPoint screen, int button = kLeft) const {
        return run({QStringLiteral("mousemove"), QString::number(screen.x()),
                    QString::number(screen.y()), QStringLiteral("click"), QString::number(button)})
            .has_value();
    }

    // The left button pressed at the first point, moved through the others `step` apart and
    // released `step` after the last; one xdotool run, so the steps keep their pace.
    bool drag(const std::vector<QPoint>& path, std::chrono::milliseconds step) const {
        if (path.empty()) return false;
        const QString pause = QString::number(static_cast<double>(step.count()) / 1000.0);
        QStringList arguments{QStringLiteral("mousemove"), QString::number(path.front().x()),
                              QString::number(path.front().y()), QStringLiteral("mousedown"),
                              QStringLiteral("1")};
        for (std::size_t i = 1; i < path.size(); ++i) {
            arguments << QStringLiteral("sleep") << pause << QStringLiteral("mousemove")
                      << QString::number(path[i].x()) << QString::number(path[i].y());
        }
        arguments << QStringLiteral("sleep") << pause;
        arguments << QStringLiteral("mouseup") << QStringLiteral("1");
        return run(arguments).has_value();
    }

    bool key(const QString& keys) const { return run({QStringLiteral("key"), keys}).has_value(); }

  private:
    std::vector<XWindow> describeAll(const QStringList& search) const {
        std::vector<XWindow> windows;
        // xdotool's search fails when it finds nothing: that is an empty list here.
        const QString ids = run(search).value_or(QString());
        for (const QString& id : ids.split('\n', Qt::SkipEmptyParts)) {
            if (auto window = describe(id.trimmed())) windows.push_back(*window);
        }
        return windows;
    }

    std::optional<XWindow> describe(const QString& id) const {
        const auto shell =
            run({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id});
        const auto title = run({QStringLiteral("getwindowname"), id});
        if (!shell || !title) return std::nullopt;  // it went away meanwhile
        // Lines such as "X=218".
        std::map<QString, int> values;
        for (const QString& line : shell->split('\n', Qt::SkipEmptyParts)) {
            const auto equals = line.indexOf('=');
            if (equals > 0) values[line.left(equals)] = line.mid(equals + 1).toInt();
        }
        if (!values.contains(QStringLiteral("WIDTH")) || !values.contains(QStringLiteral("HEIGHT")))
            return std::nullopt;
        return XWindow{id, title->trimmed(),
                       QRect(values[QStringLiteral("X")], values[QStringLiteral("Y")],
                             values[QStringLiteral("WIDTH")], values[QStringLiteral("HEIGHT")])};
    }

    QProcessEnvironment environment_;
};

}  // namespace panelink::apptest
