// panelink-artwork: draws every bitmap of the catalog as <number>.png and, at twice the size
// for screens that show the panel larger, as <number>@2x.png; writes the resource list that
// embeds them under ":/bitmaps", and on request a preview of the lit panel.
//
//   panelink-artwork --out DIR [--qrc FILE] [--preview FILE] [--preview-scale 1|2] [--icons DIR]
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

// The scales every bitmap is drawn at, and the file name suffix of each.
struct ScaleFile {
    int scale;
    const char* suffix;
};
constexpr ScaleFile kScales[] = {{1, ""}, {2, "@2x"}};

QString bitmapFile(int number, const ScaleFile& scale) {
    return QStringLiteral("%1%2.png").arg(number).arg(QLatin1String(scale.suffix));
}

// Draws and writes every bitmap at one scale; false after saying what went wrong.
bool writeBitmaps(const QString& outDir, const ScaleFile& scale) {
    panelink::artwork::Artwork artwork(scale.scale);
    for (const panelink::BitmapInfo& info : panelink::bitmapCatalog()) {
        const QImage image = artwork.bitmap(info.number);
        const int width = info.width * scale.scale;
        const int height = info.height * scale.scale;
        if (image.isNull() || image.width() != width || image.height() != height) {
            fail(QStringLiteral("bitmap %1 was not drawn at %2 x %3")
                     .arg(info.number)
                     .arg(width)
                     .arg(height));
            return false;
        }
        if (auto fringe = panelink::artwork::findGreenFringe(image)) {
            fail(QStringLiteral("bitmap %1 has a green fringe: %2").arg(info.number).arg(*fringe));
            return false;
        }
        const QString path = QDir(outDir).filePath(bitmapFile(info.number, scale));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
            fail(QStringLiteral("cannot write %1").arg(path));
            return false;
        }
    }
    return true;
}

bool writeQrc(const QString& path, const QString& bitmapDir) {
    const QDir qrcDir = QFileInfo(path).absoluteDir();
    QString text;
    QTextStream out(&text);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/bitmaps\">\n";
    for (const ScaleFile& scale : kScales) {
        for (const panelink::BitmapInfo& info : panelink::bitmapCatalog()) {
            const QString name = bitmapFile(info.number, scale);
            const QString file = QDir(bitmapDir).filePath(name);
            out << "    <file alias=\"" << name << "\">" << qrcDir.relativeFilePath(file)
                << "</file>\n";
        }
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
    int previewScale = 1;
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
        } else if (arg == QLatin1String("--preview-scale") && hasValue &&
                   (args[i + 1] == QLatin1String("1") || args[i + 1] == QLatin1String("2"))) {
            previewScale = args[++i].toInt();
        } else {
            fail(
                QStringLiteral("usage: panelink-artwork --out DIR [--qrc FILE] [--preview FILE] "
                               "[--preview-scale 1|2] [--icons DIR]"));
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

    if (!outDir.isEmpty()) {
        if (!QDir().mkpath(outDir)) {
            fail(QStringLiteral("cannot create %1").arg(outDir));
            return 1;
        }
        for (const ScaleFile& scale : kScales) {
            if (!writeBitmaps(outDir, scale)) return 1;
        }
        if (!qrcPath.isEmpty() && !writeQrc(qrcPath, outDir)) {
            fail(QStringLiteral("cannot write %1").arg(qrcPath));
            return 1;
        }
    }
    if (!previewPath.isEmpty()) {
        QDir().mkpath(QFileInfo(previewPath).absolutePath());
        panelink::artwork::Artwork artwork(previewScale);
        if (!artwork.preview().save(previewPath, "PNG")) {
            fail(QStringLiteral("cannot write %1").arg(previewPath));
            return 1;
        }
    }
    return 0;
}
