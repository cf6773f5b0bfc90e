// PROXY.DAT reading on any file bytes. The reader takes a file name, so each input goes to one
// temporary file first. Settings read from any file, written back and read again, stay the same.
#include "FuzzSupport.h"
#include "ProxyFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

using namespace statdesk;

namespace {

bool operator==(const ProxySettings& a, const ProxySettings& b) {
    return a.enabled == b.enabled && a.address == b.address && a.port == b.port && a.userName == b.userName &&
           a.password == b.password;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_proxy_file";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    static QTemporaryDir folder;
    (void)app;
    FUZZ_CHECK(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("PROXY.DAT"));
    const QString copy = folder.filePath(QStringLiteral("COPY.DAT"));

    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
               static_cast<qint64>(size));
    file.close();

    const ProxySettings settings = readProxyFile(path);
    for (const QString* field : {&settings.address, &settings.port, &settings.userName, &settings.password})
        FUZZ_CHECK(!field->contains(QLatin1Char('\n')));
    writeProxyFile(copy, settings);
    FUZZ_CHECK(readProxyFile(copy) == settings);
    return 0;
}
