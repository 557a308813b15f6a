// panelink-artwork: draws every bitmap of the catalog as <number>.png, writes the resource
// list that embeds them under ":/bitmaps", and on request a preview of the lit panel.
//
//   panelink-artwork --out DIR [--qrc FILE] [--preview FILE] [--icons DIR]
#include "panelink/resources/artwork/artwork.h"
#include "panelink/resources/artwork/icons.h"
#include "panelink/resources/bitmap_catalog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

void fail(const QString& message) {
    std::fprintf(stderr, "panelink-artwork: %s\n", qPrintable(message));
}

bool writeQrc(const QString& path, const QString& bitmapDir) {
    const QDir qrcDir = QFileInfo(path).absoluteDir();
    QString text;
    QTextStream out(&text);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/bitmaps\">\n";
    for (const panelink::BitmapInfo& info : panelink::bitmapCatalog()) {
        const QString file = QDir(bitmapDir).filePath(QStringLiteral("%1.png").arg(info.number));
        out << "    <file alias=\"" << info.number << ".png\">" << qrcDir.relativeFilePath(file)
            << "</file>\n";
    }
    out << "</qresource>\n</RCC>\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(text.toUtf8());
    return file.commit();
}

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no display is needed or wanted.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString outDir;
    QString qrcPath;
    QString previewPath;
    QString iconDir;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--out") && hasValue) {
            outDir = args[++i];
        } else if (arg == QLatin1String("--qrc") && hasValue) {
            qrcPath = args[++i];
        } else if (arg == QLatin1String("--preview") && hasValue) {
            previewPath = args[++i];
        } else if (arg == QLatin1String("--icons") && hasValue) {
            iconDir = args[++i];
        } else {
            fail(
                QStringLiteral("usage: panelink-artwork --out DIR [--qrc FILE] [--preview FILE] "
                               "[--icons DIR]"));
            return 2;
        }
    }
    if (outDir.isEmpty() && previewPath.isEmpty() && iconDir.isEmpty()) {
        fail(QStringLiteral("nothing to do: give --out, --preview or --icons"));
        return 2;
    }
    if (!iconDir.isEmpty()) {
        if (const QString failed = panelink::artwork::writeAppIcons(iconDir); !failed.isEmpty()) {
            fail(QStringLiteral("cannot write %1").arg(failed));
            return 1;
        }
    }

    panelink::artwork::Artwork artwork;
    if (!outDir.isEmpty()) {
        if (!QDir().mkpath(outDir)) {
            fail(QStringLiteral("cannot create %1").arg(outDir));
            return 1;
        }
        for (const panelink::BitmapInfo& info : panelink::bitmapCatalog()) {
            const QImage image = artwork.bitmap(info.number);
            if (image.isNull() || image.width() != info.width || image.height() != info.height) {
                fail(QStringLiteral("bitmap %1 was not drawn at %2 x %3")
                         .arg(info.number)
                         .arg(info.width)
                         .arg(info.height));
                return 1;
            }
            if (auto fringe = panelink::artwork::findGreenFringe(image)) {
                fail(QStringLiteral("bitmap %1 has a green fringe: %2")
                         .arg(info.number)
                         .arg(*fringe));
                return 1;
            }
            const QString path = QDir(outDir).filePath(QStringLiteral("%1.png").arg(info.number));
            QSaveFile file(path);
            if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
                fail(QStringLiteral("cannot write %1").arg(path));
                return 1;
            }
        }
        if (!qrcPath.isEmpty() && !writeQrc(qrcPath, outDir)) {
            fail(QStringLiteral("cannot write %1").arg(qrcPath));
            return 1;
        }
    }
    if (!previewPath.isEmpty()) {
        QDir().mkpath(QFileInfo(previewPath).absolutePath());
        if (!artwork.preview().save(previewPath, "PNG")) {
            fail(QStringLiteral("cannot write %1").arg(previewPath));
            return 1;
        }
    }
    return 0;
}
