#include "BrandTool.h"
#include "BrandToolError.h"
#include "BrandedProgram.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace statdesk;

namespace {

void fail(const QString& message) {
    std::fprintf(stderr, "statdesk-brand: %s\n", qPrintable(message));
    std::exit(1);
}

QString required(const QCommandLineParser& parser, const QString& option) {
    const QString value = parser.value(option);
    if (value.isEmpty())
        fail(QStringLiteral("--%1 is required (see --help)").arg(option));
    return value;
}

int build(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a branded copy of a program: the program padded with zero bytes to the brand "
                       "record offset, then the record compiled from a brand description."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("brand"), QStringLiteral("Brand description (JSON)."), QStringLiteral("file")});
    parser.addOption(
        {QStringLiteral("program"), QStringLiteral("Unbranded program."), QStringLiteral("file")});
    parser.addOption(
        {QStringLiteral("out"), QStringLiteral("Branded copy to write."), QStringLiteral("file")});
    parser.process(arguments);
    buildBrandedProgram(required(parser, QStringLiteral("brand")),
                        required(parser, QStringLiteral("program")), required(parser, QStringLiteral("out")));
    return 0;
}

int show(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints the brand record of a branded program as a brand description."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("program"), QStringLiteral("Branded program."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("logo-out"),
                      QStringLiteral("Write the logo to this file and name it in the "
                                     "description."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("out"),
                      QStringLiteral("Write the description here instead of printing it."),
                      QStringLiteral("file")});
    parser.process(arguments);
    const QString out = parser.value(QStringLiteral("out"));
    const QString descriptionDir = out.isEmpty() ? QDir::currentPath() : QFileInfo(out).absolutePath();
    const QByteArray description =
        showBrandedProgram(required(parser, QStringLiteral("program")),
                           parser.value(QStringLiteral("logo-out")), descriptionDir);
    if (out.isEmpty())
        std::fwrite(description.constData(), 1, size_t(description.size()), stdout);
    else
        writeWholeFile(out, description);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("statdesk-brand"));
    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    // Each command parses its own options; the parser skips the first item, here the command.
    const QStringList rest = arguments.mid(1);
    try {
        if (command == QLatin1String("build"))
            return build(rest);
        if (command == QLatin1String("show"))
            return show(rest);
    } catch (const BrandToolError& e) {
        fail(e.message());
    }
    std::fprintf(stderr, "Usage: statdesk-brand build --brand <json> --program <file> --out <file>\n"
                         "       statdesk-brand show --program <file> [--logo-out <bmp>] [--out <json>]\n"
                         "Each command takes --help.\n");
    return command == QLatin1String("--help") || command == QLatin1String("-h") ? 0 : 2;
}
