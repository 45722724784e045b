// Tests of the identifier registry: lower-cased registration, the first text
// stored for a CRC winning, Release, and the hash file: a round trip of many
// names, and damaged files built here, which load what they hold whole.
#include "identifier/QzIdentifierManager.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using qztest::Bytes;
using qztest::NameCrc64;

TEST(QzIdentifierManager, StoresTheFirstTextForACrcLowerCasedAndReleaseForgetsIt)
{
    qztest::CScratchDirectory const directory;
    qztest::Bytes file;
    qztest::PutInteger(file, 1, 4, false);
    qztest::PutEntry(file, "from the file", NameCrc64("alpha"), false);
    qztest::WriteBytes(directory.File("alpha"), file);

    CQzIdentifierManager manager;
    EXPECT_EQ(manager.FindNameForCrc64(NameCrc64("foo")), nullptr);
    manager.CheckCrc64ForUniqueness("Foo", true);
    manager.CheckCrc64ForUniqueness("FOO", false);
    EXPECT_STREQ(manager.FindNameForCrc64(NameCrc64("FOO")), "foo");
    // a text already stored for the CRC stays, whoever registers it
    manager.LoadHashFile(TQzString<char>(directory.File("alpha").c_str()), false);
    manager.CheckCrc64ForUniqueness("Alpha", false);
    EXPECT_STREQ(manager.FindNameForCrc64(NameCrc64("alpha")), "from the file");
    // the empty text is found as EMPTY; a null one records nothing
    manager.CheckCrc64ForUniqueness(nullptr, false);
    EXPECT_EQ(manager.FindNameForCrc64(~0ull), nullptr);
    manager.CheckCrc64ForUniqueness("", false);
    EXPECT_EQ(manager.FindNameForCrc64(~0ull), TQzString<char>::EMPTY);

    // Release forgets every name (over several blocks of entries), but the
    // texts handed out stay
    std::vector<char const*> texts;
    for (int i = 0; i < 600; ++i)
    {
        manager.CheckCrc64ForUniqueness(("Released_" + std::to_string(i)).c_str(), false);
        texts.push_back(manager.FindNameForCrc64(NameCrc64("released_" + std::to_string(i))));
    }
    manager.Release();
    manager.Release();
    for (int i = 0; i < 600; ++i)
    {
        EXPECT_EQ(manager.FindNameForCrc64(NameCrc64("released_" + std::to_string(i))), nullptr);
        EXPECT_EQ(texts[std::size_t(i)], "released_" + std::to_string(i));
    }
    manager.CheckCrc64ForUniqueness("Released_7", false);
    EXPECT_STREQ(manager.FindNameForCrc64(NameCrc64("released_7")), "released_7");
}

TEST(QzHashFile, TenThousandNamesComeBackAndDamagedFilesLoadWhatTheyHoldWhole)
{
    qztest::CScratchDirectory const directory;
    std::mt19937 random(5);
    std::map<unsigned long long, std::string> registered = {{~0ull, ""}};
    CQzIdentifierManager source;
    source.CheckCrc64ForUniqueness("", false);
    while (registered.size() < 10000)
    {
        std::string name(1 + random() % 48, ' ');
        for (char& c : name)
            c = char(1 + random() % 255);
        source.CheckCrc64ForUniqueness(name.c_str(), false);
        registered.emplace(NameCrc64(name), qztest::AsciiLower(name));
    }
    int files = 0;
    for (bool const bigEndian : {false, true})
    {
        std::string const path = directory.File(bigEndian ? "big" : "little");
        source.SaveHashFile(TQzString<char>(path.c_str()), bigEndian);
        CQzIdentifierManager loaded;
        loaded.LoadHashFile(TQzString<char>(path.c_str()), bigEndian);
        for (auto const& [crc, name] : registered)
            ASSERT_STREQ(loaded.FindNameForCrc64(crc), name.c_str());

        // names longer than 511 bytes are read whole; a text ends at its
        // first zero byte; loaded texts are not lower-cased
        std::vector<std::pair<std::string, unsigned long long>> entries = {
            {"First", 0x0101}, {std::string(5000, 'L'), 0x0202}, {std::string("ze\0ro", 5), 0x0303}, {"last", 0x0404}};
        // a file of the first `holds` entries: they come in, nothing else
        // does, and saved (in bucket order, which their CRCs give) they make
        // the bytes built here
        auto check = [&](Bytes const& file, std::size_t holds) {
            // a new file each time: rewriting one makes the file system flush it
            std::string const damaged = directory.File(std::to_string(files++));
            qztest::WriteBytes(damaged, file);
            CQzIdentifierManager manager;
            manager.LoadHashFile(TQzString<char>(damaged.c_str()), bigEndian);
            manager.SaveHashFile(TQzString<char>((damaged + "saved").c_str()), bigEndian);
            Bytes expected;
            qztest::PutInteger(expected, holds, 4, bigEndian);
            for (std::size_t i = 0; i < holds; ++i)
                qztest::PutEntry(expected, entries[i].first, entries[i].second, bigEndian);
            EXPECT_EQ(qztest::ReadBytes(damaged + "saved"), expected) << file.size() << " bytes, big-endian " << bigEndian;
        };
        Bytes whole;
        qztest::PutInteger(whole, entries.size(), 4, bigEndian);
        std::vector<std::size_t> ends = {4};
        for (auto const& [name, crc] : entries)
        {
            qztest::PutEntry(whole, name, crc, bigEndian);
            ends.push_back(whole.size());
        }
        entries[2].first = "ze";
        // cut anywhere (inside the long name, every 499th byte): the entries
        // before the cut come in
        for (std::size_t cut = 0; cut <= whole.size(); ++cut)
            if (cut < ends[1] + 8 || cut + 16 > ends[2] || cut % 499 == 0)
            {
                std::size_t complete = 0;
                while (complete < entries.size() && ends[complete + 1] <= cut)
                    ++complete;
                check(Bytes(whole.begin(), whole.begin() + long(cut)), complete);
            }
        // the count, not the file's end, stops the loading
        Bytes recounted;
        qztest::PutInteger(recounted, 2, 4, bigEndian);
        recounted.insert(recounted.end(), whole.begin() + 4, whole.end());
        check(recounted, 2);
    }
    // files that cannot be opened are ignored
    source.LoadHashFile(TQzString<char>(directory.File("missing").c_str()), false);
    source.SaveHashFile(TQzString<char>(directory.File("no_such_folder/file").c_str()), false);
    EXPECT_STREQ(source.FindNameForCrc64(NameCrc64("")), "");
}

} // namespace
