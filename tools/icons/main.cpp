// statdesk-icons <drawing.svg> <output folder> <size>...
// Renders the program's icon drawing as <output folder>/<size>x<size>/statdesk.png for each size, the
// pixel sizes of the desktop's icon theme.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "statdesk-icons: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4)
        return fail(QStringLiteral("usage: statdesk-icons <drawing.svg> <output folder> <size>..."));
    const QString drawing = arguments[1];
    const QDir out(arguments[2]);
    for (const QString& text : arguments.mid(3)) {
        bool number = false;
        const int size = text.toInt(&number);
        if (!number || size < 1 || size > 1024)
            return fail(QStringLiteral("size \"%1\" is not a number of pixels from 1 to 1024").arg(text));
        // Drawn at the size itself, not scaled down from a large picture: small sizes stay sharp.
        QImageReader reader(drawing, "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage icon = reader.read();
        if (icon.isNull())
            return fail(QStringLiteral("cannot draw %1: %2").arg(drawing, reader.errorString()));
        const QString folder = QStringLiteral("%1x%1").arg(size);
        if (!out.mkpath(folder))
            return fail(QStringLiteral("cannot create folder %1").arg(out.filePath(folder)));
        const QString file = out.filePath(folder + QStringLiteral("/statdesk.png"));
        if (!icon.save(file, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(file));
    }
    return 0;
}
