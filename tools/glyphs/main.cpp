// statdesk-glyphs <output folder> <font file>
// Draws the 67 print glyphs as PNG files and writes statdesk_glyphs.qrc that names each by its
// resource name under the prefix /glyphs.

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int GlyphWidth = 65;
constexpr int GlyphHeight = 90;
constexpr double Margin = 3.0;
// Outlines are measured at a large size so that the fitted scale is not skewed by rounding.
constexpr int MeasureSize = 1000;

struct Glyph {
    QChar character;
    QString name;
    QPainterPath outline; // at MeasureSize, origin on the baseline at the cell's left edge
};

QList<Glyph> glyphList() {
    QList<Glyph> glyphs;
    for (char c = 'A'; c <= 'Z'; ++c) {
        glyphs.append({QChar::fromLatin1(c), QStringLiteral("R-U") + QChar::fromLatin1(c), {}});
        glyphs.append(
            {QChar::fromLatin1(char(c - 'A' + 'a')), QStringLiteral("R-L") + QChar::fromLatin1(c), {}});
    }
    for (char c = '0'; c <= '9'; ++c)
        glyphs.append({QChar::fromLatin1(c), QStringLiteral("R-") + QChar::fromLatin1(c), {}});
    glyphs.append({u',', QStringLiteral("R-COMMA"), {}});
    glyphs.append({u'-', QStringLiteral("R-DASH"), {}});
    glyphs.append({u'"', QStringLiteral("R-DOUBLEQUOTE"), {}});
    glyphs.append({u'.', QStringLiteral("R-PERIOD"), {}});
    glyphs.append({u'\'', QStringLiteral("R-SINGLEQUOTE"), {}});
    return glyphs;
}

int fail(const QString& message) {
    std::fprintf(stderr, "statdesk-glyphs: %s\n", qPrintable(message));
    return 1;
}

// Outlines come from the file itself: a font looked up by family name may resolve to another
// installed copy of that family.
bool loadFont(const QString& fontFile, QRawFont& font, QString& error) {
    if (!QFile::exists(fontFile)) {
        error = QStringLiteral("font file %1 does not exist").arg(fontFile);
        return false;
    }
    font.loadFromFile(fontFile, MeasureSize, QFont::PreferNoHinting);
    if (!font.isValid()) {
        error = QStringLiteral("cannot load font file %1").arg(fontFile);
        return false;
    }
    return true;
}

// One scale and one baseline for the whole set, so that glyphs placed side by side read as type.
struct Placement {
    double scale = 0;
    double baseline = 0;
    double advance = 0;
};

Placement fitToCell(const QList<Glyph>& glyphs, double advance) {
    double top = 0, bottom = 0, halfWidth = 0;
    for (const Glyph& g : glyphs) {
        const QRectF ink = g.outline.boundingRect();
        top = std::min(top, ink.top());
        bottom = std::max(bottom, ink.bottom());
        halfWidth = std::max({halfWidth, advance / 2 - ink.left(), ink.right() - advance / 2});
    }
    Placement p;
    p.advance = advance;
    p.scale = std::min((GlyphWidth / 2.0 - Margin) / halfWidth, (GlyphHeight - 2 * Margin) / (bottom - top));
    p.baseline = (GlyphHeight - p.scale * (bottom - top)) / 2 - p.scale * top;
    return p;
}

QImage draw(const Glyph& glyph, const Placement& p) {
    QImage image(GlyphWidth, GlyphHeight, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(GlyphWidth / 2.0, p.baseline);
    painter.scale(p.scale, p.scale);
    painter.translate(-p.advance / 2, 0);
    painter.fillPath(glyph.outline, Qt::black);
    return image;
}

bool writeQrc(const QString& path, const QList<Glyph>& glyphs, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        error = file.errorString();
        return false;
    }
    QTextStream out(&file);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/glyphs\">\n";
    for (const Glyph& g : glyphs)
        out << "  <file alias=\"" << g.name << "\">" << g.name << ".png</file>\n";
    out << "</qresource>\n</RCC>\n";
    out.flush();
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return fail(QStringLiteral("usage: statdesk-glyphs <output folder> <font file>"));
    const QString outFolder = args.at(1);

    QRawFont font;
    QString error;
    if (!loadFont(args.at(2), font, error))
        return fail(error);
    const QString fontName = font.familyName() + QLatin1Char(' ') + font.styleName();

    QList<Glyph> glyphs = glyphList();
    double advance = 0;
    for (Glyph& g : glyphs) {
        // Without this a missing character would come out as the font's empty box.
        if (!font.supportsCharacter(g.character))
            return fail(QStringLiteral("font %1 has no '%2'").arg(fontName, g.character));
        const QList<quint32> index = font.glyphIndexesForString(QString(g.character));
        const double width = font.advancesForGlyphIndexes(index).value(0).x();
        if (advance == 0)
            advance = width;
        if (index.size() != 1 || width != advance)
            return fail(QStringLiteral("font %1 is not monospaced at '%2'").arg(fontName, g.character));
        g.outline = font.pathForGlyph(index.first());
        if (g.outline.isEmpty())
            return fail(QStringLiteral("font %1 draws nothing for '%2'").arg(fontName, g.character));
    }

    const Placement placement = fitToCell(glyphs, advance);
    for (const Glyph& g : glyphs) {
        const QString path = outFolder + QLatin1Char('/') + g.name + QStringLiteral(".png");
        if (!draw(g, placement).save(path, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(path));
    }
    if (!writeQrc(outFolder + QStringLiteral("/statdesk_glyphs.qrc"), glyphs, error))
        return fail(QStringLiteral("cannot write the resource list: %1").arg(error));
    return 0;
}
