#include "BannerPainter.h"
#include "BannerSubjects.h"
#include "GifWriter.h"
#include "ToolArguments.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <exception>
#include <iostream>
#include <stdexcept>

namespace fs = std::filesystem;
using namespace statdesk::banners;

namespace {

const char* const kUsage =
    "Usage: statdesk-banners --raw DIR --out DIR\n"
    "Draws the advertising banners (468 x 60 GIF) from the raw basketball data in --raw and writes them\n"
    "with their index, banners.txt, into the folder --out, which statdesk-service --banners serves.\n";

const char* const kIndexName = "banners.txt";

std::string fileName(size_t number) {
    char name[32];
    std::snprintf(name, sizeof name, "banner-%02zu.gif", number + 1);
    return name;
}

// One index line holds tab-separated fields; a tab or line end inside one would shift the rest.
const std::string& field(const std::string& text) {
    if (text.empty() || text.find_first_of("\t\r\n") != std::string::npos)
        throw std::runtime_error("index field empty or with a tab or line end: \"" + text + "\"");
    return text;
}

void writeBanners(const fs::path& rawDir, const fs::path& outDir) {
    if (const QString missing = missingFont(); !missing.isEmpty())
        throw std::runtime_error(missing.toStdString());
    const std::vector<BannerSubject> subjects = bannerSubjects(rawDir);
    fs::create_directories(outDir);
    // Banners of an earlier, longer set would linger and be served by no index line.
    for (const auto& entry : fs::directory_iterator(outDir)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("banner-") && name.ends_with(".gif"))
            fs::remove(entry.path());
    }
    std::string index = "# statdesk-banners: file, subject, title and page text, separated by tabs\n";
    for (size_t i = 0; i < subjects.size(); ++i) {
        const BannerSubject& subject = subjects[i];
        writeGif(paintBanner(subject, static_cast<int>(i)), outDir / fileName(i));
        index += fileName(i) + "\t" + field(subject.id) + "\t" + field(subject.headline) + "\t" +
                 field(subject.page) + "\n";
    }
    QSaveFile file(QString::fromStdString((outDir / kIndexName).string()));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(index.data(), static_cast<qint64>(index.size())) != static_cast<qint64>(index.size()) ||
        !file.commit())
        throw std::runtime_error("cannot write " + (outDir / kIndexName).string() + ": " +
                                 file.errorString().toStdString());
    std::cerr << "statdesk-banners: " << subjects.size() << " banners in " << outDir.string() << std::endl;
}

} // namespace

int main(int argc, char** argv) {
    statdesk::RawAndOut paths;
    if (const std::optional<int> exitCode =
            statdesk::readRawAndOut(argc, argv, "statdesk-banners", kUsage, paths))
        return *exitCode;
    // Drawing needs no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    try {
        writeBanners(paths.raw, paths.out);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "statdesk-banners: error: " << e.what() << std::endl;
        return 1;
    }
}
