// Build-time tool: renders SVG drawings to PNG files at the size each drawing declares.
// Usage: vantor_svgtopng <out-folder> <file.svg>...
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char** argv)
{
    // The drawings hold no text, so painting them into an image needs no display or fonts.
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (arguments.size() < 3) {
        err << "usage: vantor_svgtopng <out-folder> <file.svg>...\n";
        return 2;
    }
    const QDir out(arguments.at(1));
    if (!QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << "\n";
        return 1;
    }
    for (int i = 2; i < arguments.size(); ++i) {
        const QString source = arguments.at(i);
        QSvgRenderer renderer(source);
        if (!renderer.isValid() || renderer.defaultSize().isEmpty()) {
            err << "not a valid drawing: " << source << "\n";
            return 1;
        }
        QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString target = out.filePath(QFileInfo(source).completeBaseName() + QStringLiteral(".png"));
        if (!image.save(target, "PNG")) {
            err << "cannot write " << target << "\n";
            return 1;
        }
    }
    return 0;
}
