#include "LzwCompressor.h"
#include "LzwDecoder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <list>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

using namespace statdesk;

namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

QByteArray toQByteArray(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QByteArray compressed(const QByteArray& input) {
    return toQByteArray(lzwCompress(bytesOf(input)));
}
QByteArray decoded(const QByteArray& stream) {
    return toQByteArray(lzwDecode(bytesOf(stream)));
}

// Twelve bits per code, most significant first, through a plain bit accumulator.
QByteArray packCodes(const std::vector<int>& codes) {
    QByteArray bytes;
    std::uint32_t bits = 0;
    int held = 0;
    for (int code : codes) {
        bits = (bits << 12) | std::uint32_t(code);
        held += 12;
        while (held >= 8) {
            held -= 8;
            bytes.append(char((bits >> held) & 0xFF));
        }
        bits &= (1u << held) - 1;
    }
    if (held > 0)
        bytes.append(char((bits << (8 - held)) & 0xFF));
    return bytes;
}

// The coding rules read literally, with whole strings as keys and a std::list for recency: slow,
// but it shares no data structure with the coder, so agreement on long inputs means something.
class ReferenceCoder {
  public:
    ReferenceCoder() {
        for (int byte = 0; byte < 256; ++byte) {
            m_text[byte] = std::string(1, char(byte));
            m_codeOf[m_text[byte]] = byte;
        }
    }

    std::vector<int> codes(const std::string& input) {
        std::vector<int> codes;
        std::string previous;
        for (std::size_t at = 0; at < input.size();) {
            std::size_t length = 1;
            while (at + length < input.size() && m_codeOf.count(input.substr(at, length + 1)))
                ++length;
            const std::string phrase = input.substr(at, length);
            std::vector<int> prefixes;
            for (std::size_t n = 2; n <= length; ++n)
                prefixes.push_back(m_codeOf.at(phrase.substr(0, n)));
            for (int code : prefixes)
                m_recency.erase(m_where[code]);
            const auto front = m_recency.begin();
            for (int code : prefixes)
                m_where[code] = m_recency.insert(front, code);
            codes.push_back(m_codeOf.at(phrase));
            if (!previous.empty())
                learn(previous, phrase);
            previous = phrase;
            at += length;
        }
        return codes;
    }

    int evictedWithChildren = 0; // would orphan strings; the recency order should make it impossible

  private:
    void learn(std::string x, const std::string& phrase) {
        const std::size_t m = x.size();
        for (std::size_t r = 0; r < phrase.size() && m + r < 100 && m_children[m_codeOf.at(x)] < 256; ++r) {
            const std::string longer = x + phrase[r];
            if (m_codeOf.count(longer)) {
                x = longer;
                continue;
            }
            int code;
            if (m_nextFree < 4094) {
                code = m_nextFree++;
            } else {
                code = m_recency.back();
                if (code == m_codeOf.at(x))
                    return; // the parent is least recently used: this step learns nothing more
                m_recency.pop_back();
                const std::string old = m_text[code];
                if (m_children[code] > 0)
                    ++evictedWithChildren;
                m_codeOf.erase(old);
                --m_children[m_codeOf.at(old.substr(0, old.size() - 1))];
            }
            m_text[code] = longer;
            m_codeOf[longer] = code;
            m_children[code] = 0;
            ++m_children[m_codeOf.at(x)];
            if (x.size() >= 2)
                m_where[code] = m_recency.insert(std::next(m_where[m_codeOf.at(x)]), code);
            else
                m_where[code] = m_recency.insert(m_recency.begin(), code);
            x = longer;
        }
    }

    std::unordered_map<std::string, int> m_codeOf;
    std::vector<std::string> m_text = std::vector<std::string>(4094);
    std::vector<int> m_children = std::vector<int>(4094, 0);
    std::list<int> m_recency; // most recently used first
    std::vector<std::list<int>::iterator> m_where = std::vector<std::list<int>::iterator>(4094);
    int m_nextFree = 256;
};

// Pseudo-random words from a few syllables: enough distinct strings to use every code many times over.
QByteArray words(qsizetype size, unsigned seed) {
    static const char* const syllables[] = {"ba", "ket", "ro",  "un", "di", "ster", "ma",   "lo",
                                            "ne", "qui", "per", "zo", "a",  "e",    "tion", "ing"};
    static const char separators[] = " ,.\n";
    std::mt19937 random(seed);
    QByteArray text;
    text.reserve(size + 64);
    while (text.size() < size) {
        const int count = 1 + int(random() % 4);
        for (int i = 0; i < count; ++i)
            text += syllables[random() % 16];
        text += separators[random() % 4];
    }
    text.truncate(size);
    return text;
}

QByteArray randomBytes(qsizetype size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random() & 0xFF);
    return bytes;
}

// Words with long runs of one letter between them, so strings reach the 100-byte limit while codes
// are being reused.
QByteArray wordsAndRuns(qsizetype size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray text;
    while (text.size() < size) {
        text += words(200 + qsizetype(random() % 300), random());
        text += QByteArray(50 + qsizetype(random() % 400), "xyz"[random() % 3]);
    }
    text.truncate(size);
    return text;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestLzw : public QObject {
    Q_OBJECT
  private slots:
    // Expected bytes worked out by hand from the coding rules.
    void handWorkedExamples_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        // 97 plus four zero bits.
        QTest::newRow("one byte") << QByteArray("a") << QByteArray::fromHex("06 10");
        // 97 98 fill three bytes exactly.
        QTest::newRow("two bytes") << QByteArray("ab") << QByteArray::fromHex("06 10 62");
        // 97 98 99.
        QTest::newRow("abc") << QByteArray("abc") << QByteArray::fromHex("06 10 62 06 30");
        // 98 101 103 105 110 13 10: the beacon file.
        QTest::newRow("begin line") << QByteArray("begin\r\n")
                                    << QByteArray::fromHex("06 20 65 06 70 69 06 E0 0D 00 A0");
        // 97 98 256; ab became 256 after the second code.
        QTest::newRow("abab") << QByteArray("abab") << QByteArray::fromHex("06 10 62 10 00");
        // 97 97 256 257 257.
        QTest::newRow("ten a") << QByteArray(10, 'a') << QByteArray::fromHex("06 10 61 10 01 01 10 10");
        // 97 98 256 256 256.
        QTest::newRow("abababab") << QByteArray("abababab") << QByteArray::fromHex("06 10 62 10 01 00 10 00");
        // Runs of a learn a^k as 254 + k and phrases grow 1 1 2 3 5 8 13 21 34 55 89 until learning
        // stops at 100 bytes: codes 97 97 256 257 259 262 267 275 288 309 343 354 354.
        QTest::newRow("432 a, strings capped at 100")
            << QByteArray(432, 'a')
            << QByteArray::fromHex("06 10 61 10 01 01 10 31 06 10 B1 13 12 01 35 15 71 62 16 20");
        // Same phrases, then seven of a^100 (354) and the last 92 bytes as a^92 (346): nothing extra
        // is coded at the end of an input of exactly one block.
        QTest::newRow("1024 a") << QByteArray(1024, 'a')
                                << QByteArray::fromHex("06 10 61 10 01 01 10 31 06 10 B1 13 12 01 35 15 71 62"
                                                       " 16 21 62 16 21 62 16 21 62 15 A0");
    }
    void handWorkedExamples() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        QCOMPARE(compressed(input).toHex(' '), expected.toHex(' '));
        QCOMPARE(decoded(expected), input);
    }

    // The file form moves 1024-byte blocks; phrases and codes must cross block edges unchanged.
    void filesMatchMemory_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("begin line") << QByteArray("begin\r\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("1023 bytes") << words(1023, 1);
        QTest::newRow("1024 bytes") << words(1024, 2);
        QTest::newRow("1025 bytes") << words(1025, 3);
        QTest::newRow("3072 a") << QByteArray(3072, 'a');
        QTest::newRow("300000 bytes") << words(300000, 4);
    }
    void filesMatchMemory() {
        QFETCH(QByteArray, input);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString inputPath = folder.filePath("temp3.txt");
        const QString outputPath = folder.filePath("check.ver");
        QVERIFY(writeFile(inputPath, input));
        QVERIFY(writeFile(outputPath, QByteArray(5000, 'x'))); // replaced, not appended to
        Compress(inputPath, outputPath);
        const QByteArray stream = readFile(outputPath);
        QCOMPARE(stream, compressed(input));
        QCOMPARE(decoded(stream), input);
    }

    void theBeaconFile() {
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath("temp3.txt"), "begin\r\n"));
        Compress(folder.filePath("temp3.txt"), folder.filePath("check.ver"));
        QCOMPARE(readFile(folder.filePath("check.ver")),
                 QByteArray::fromHex("06 20 65 06 70 69 06 E0 0D 00 A0"));
    }

    // Long inputs that wear out the dictionary many times, against the literal reading of the rules.
    void agreesWithReference_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("words") << words(400000, 11);
        QTest::newRow("random bytes") << randomBytes(200000, 12);
        QTest::newRow("words and long runs") << wordsAndRuns(400000, 13);
    }
    void agreesWithReference() {
        QFETCH(QByteArray, input);
        ReferenceCoder reference;
        const QByteArray expected = packCodes(reference.codes(input.toStdString()));
        QCOMPARE(reference.evictedWithChildren, 0);
        const QByteArray actual = compressed(input);
        QCOMPARE(actual.size(), expected.size());
        QVERIFY2(actual == expected, "the coded bytes differ from the reference");
        QCOMPARE(decoded(actual), input);
    }

    // Whole inputs never reach it (the parent was used a step or two earlier), so the dictionary is
    // driven directly: every code in use, "ab" (256) least recently used, then ab + "cd" is learned.
    void parentAtTheBackLearnsNothing_data() {
        QTest::addColumn<bool>("touchParentFirst");
        QTest::addColumn<int>("abc");
        QTest::addColumn<int>("abcd");
        QTest::addColumn<int>("oldestPair");
        // ab is the back itself: learning stops and nothing is given away.
        QTest::newRow("parent at the back") << false << lzw::NoCode << lzw::NoCode << 257;
        // ab used first: abc and abcd take the two oldest pairs' codes, 257 and 258.
        QTest::newRow("parent used first") << true << 257 << 258 << lzw::NoCode;
    }
    void parentAtTheBackLearnsNothing() {
        QFETCH(bool, touchParentFirst);
        QFETCH(int, abc);
        QFETCH(int, abcd);
        QFETCH(int, oldestPair);
        LzwDictionary dictionary;
        const std::uint8_t b = 'b';
        dictionary.learn('a', 1, &b, 1);
        QCOMPARE(dictionary.child('a', 'b'), 256);
        // 3837 more two-byte strings, each newer than ab; the first is byte 0 twice, code 257.
        for (int code = 257; code < lzw::CodeLimit; ++code) {
            const std::uint8_t last = std::uint8_t((code - 257) % 256);
            dictionary.learn((code - 257) / 256, 1, &last, 1);
        }
        QCOMPARE(dictionary.nextFree(), lzw::CodeLimit);
        if (touchParentFirst)
            dictionary.touch(256);
        const std::uint8_t cd[] = {'c', 'd'};
        dictionary.learn(256, 2, cd, 2);
        QCOMPARE(dictionary.child(256, 'c'), abc);
        if (abc != lzw::NoCode)
            QCOMPARE(dictionary.child(abc, 'd'), abcd);
        QCOMPARE(dictionary.child(0, 0), oldestPair);
        QCOMPARE(dictionary.child('a', 'b'), 256);
    }

    void longRoundTrips_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("4 MB of words") << words(4 << 20, 21);
        QTest::newRow("1 MB of random bytes") << randomBytes(1 << 20, 22);
        QTest::newRow("2 MB of words and runs") << wordsAndRuns(2 << 20, 23);
    }
    void longRoundTrips() {
        QFETCH(QByteArray, input);
        const QByteArray stream = compressed(input);
        QCOMPARE(decoded(stream), input);
    }

    void decoderRejects_data() {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QString>("message");
        QTest::newRow("ends inside a code") << QByteArray::fromHex("06 10 62 06")
                                            << QStringLiteral("LZW stream of 4 bytes ends inside a code");
        QTest::newRow("one byte") << QByteArray::fromHex("06")
                                  << QStringLiteral("LZW stream of 1 bytes ends inside a code");
        QTest::newRow("padding not zero")
            << QByteArray::fromHex("06 11")
            << QStringLiteral("LZW stream ends with padding bits that are not zero");
        QTest::newRow("learned code first")
            << QByteArray::fromHex("10 00")
            << QStringLiteral("unknown LZW code 256 at index 0: the dictionary holds codes below 256");
        // 97 98 257: only ab (256) is known after two codes.
        QTest::newRow("code not learned yet")
            << QByteArray::fromHex("06 10 62 10 10")
            << QStringLiteral("unknown LZW code 257 at index 2: the dictionary holds codes below 257");
        QTest::newRow("no-code marker")
            << QByteArray::fromHex("FF F0")
            << QStringLiteral("unknown LZW code 4095 at index 0: the dictionary holds codes below 256");
        // A full dictionary still never holds 4094.
        QByteArray full = compressed(words(60000, 31));
        full.truncate(full.size() / 3 * 3);
        const qsizetype index = full.size() / 3 * 2;
        QTest::newRow("4094 after the dictionary filled")
            << full + QByteArray::fromHex("FF E0")
            << QStringLiteral("unknown LZW code 4094 at index %1: the dictionary holds codes below 4094")
                   .arg(index);
    }
    void decoderRejects() {
        QFETCH(QByteArray, stream);
        QFETCH(QString, message);
        try {
            lzwDecode(bytesOf(stream));
            QFAIL("the stream was accepted");
        } catch (const LzwStreamError& error) {
            QCOMPARE(QString::fromStdString(error.what()), message);
        }
    }

    void fileErrorsNameTheFile() {
        QTemporaryDir folder;
        const QString missing = folder.filePath("missing.txt");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, Compress(missing, folder.filePath("out.ver")));
        try {
            Compress(missing, folder.filePath("out.ver"));
        } catch (const std::runtime_error& error) {
            QVERIFY2(QString::fromStdString(error.what()).startsWith("Cannot open file " + missing + ": "),
                     error.what());
        }
        QVERIFY(writeFile(folder.filePath("in.txt"), "abc"));
        const QString unwritable = folder.filePath("no/such/folder/check.ver");
        try {
            Compress(folder.filePath("in.txt"), unwritable);
            QFAIL("an output in a missing folder was accepted");
        } catch (const std::runtime_error& error) {
            QVERIFY2(
                QString::fromStdString(error.what()).startsWith("Cannot create file " + unwritable + ": "),
                error.what());
        }
    }
};

QTEST_GUILESS_MAIN(TestLzw)
#include "tst_lzw.moc"
