#include "lang/LanguageTable.h"
#include "lang/TranslationKey.h"
#include "support/LanguageTestFiles.h"

#include <gtest/gtest.h>

#include <functional>

using namespace langtest;

namespace {

const TranslationKey kOne = StringKey(10038);
const TranslationKey kTwo = DialogControlKey(130, 1002);
const TranslationKey kAliased = DialogControlKey(130, 1003);

// 64-byte header, two text entries, one alias, pool "One\0Two\0": 96 bytes.
QByteArray ValidFile() { return FileBytes({{kOne, "One"}, {kTwo, "Two"}}, {{kAliased, kTwo}}); }
constexpr int kSecondOffsetAt = kEntriesAt + 12;
constexpr int kPoolAt = kEntriesAt + 24;

TEST(TranslationKey, LayoutMatchesTheDocumentedExamples) {
    EXPECT_EQ(StringKey(10043), 0xC0000000u + 10043u);
    EXPECT_EQ(DialogCaptionKey(130), 0x80000000u + 130u * 65536u);
    EXPECT_EQ(DialogControlKey(130, 1002), DialogCaptionKey(130) + 1002u);
    EXPECT_EQ(DialogControlKey(100, -1), DialogCaptionKey(100) + 65535u);  // IDC_STATIC
    EXPECT_EQ(MenuKey(128, 1, 57601), 0x40000000u + 128u * 1048576u + 65536u + 57601u);
    EXPECT_EQ(MenuKey(128, 5, 0), 0x40000000u + 128u * 1048576u + 5u * 65536u);
    // Out-of-range parts wrap instead of spilling into neighbouring fields.
    EXPECT_EQ(MenuKey(128 + 1024, 17, 57601), MenuKey(128, 1, 57601));
    EXPECT_EQ(DialogCaptionKey(16384 + 208), DialogCaptionKey(208));
    EXPECT_EQ(KeyKind(MenuKey(128, 1, 0)), 1u);
    EXPECT_EQ(KeyKind(DialogCaptionKey(208)), 2u);
    EXPECT_EQ(KeyKind(StringKey(0x3FFFFFFF)), 3u);
}

TEST(LanguageTable, ValidFileParsesWithTextsAndAliases) {
    LanguageTable table;
    ASSERT_EQ(table.Parse(ValidFile()), LANG_OK);
    EXPECT_EQ(table.Texts().size(), 2u);
    EXPECT_EQ(table.FindText(kOne), "One");
    EXPECT_EQ(table.FindText(kTwo), "Two");
    EXPECT_EQ(table.FindText(kAliased), std::nullopt);
    EXPECT_EQ(table.ResolveAlias(kAliased), kTwo);
    EXPECT_EQ(table.ResolveAlias(kOne), kOne);
}

struct Mutation {
    const char* behaviour;
    std::function<void(QByteArray&)> apply;
    int expected;
    bool emptyTable;
};

TEST(LanguageTable, DamagedFilesAreRefusedAndOddOnesAccepted) {
    const Mutation rows[] = {
        {"wrong magic", [](QByteArray& b) { b[3] = 'X'; }, LANG_BAD_FILE, true},
        {"empty file", [](QByteArray& b) { b.clear(); }, LANG_BAD_FILE, true},
        {"header cut short", [](QByteArray& b) { b.truncate(63); }, LANG_BAD_FILE, true},
        {"text count beyond file", [](QByteArray& b) { PutU32(b, kTextCountAt, 3); }, LANG_BAD_FILE, true},
        {"alias count beyond file", [](QByteArray& b) { PutU32(b, kAliasCountAt, 2); }, LANG_BAD_FILE, true},
        {"pool size beyond file", [](QByteArray& b) { PutU32(b, kPoolSizeAt, 9); }, LANG_BAD_FILE, true},
        {"counts wrapping 32 bits", [](QByteArray& b) { PutU32(b, kTextCountAt, 0x20000000); }, LANG_BAD_FILE, true},
        {"all counts maximal",
         [](QByteArray& b) {
             for (int at : {4, 8, 12}) PutU32(b, at, 0xFFFFFFFF);
         },
         LANG_BAD_FILE, true},
        {"pool cut short", [](QByteArray& b) { b.chop(1); }, LANG_BAD_FILE, true},
        {"offset at pool end", [](QByteArray& b) { PutU32(b, kSecondOffsetAt, 8); }, LANG_BAD_FILE, true},
        {"offset far outside", [](QByteArray& b) { PutU32(b, kSecondOffsetAt, 0xFFFFFFFF); }, LANG_BAD_FILE, true},
        {"last text unterminated", [](QByteArray& b) { b[b.size() - 1] = 'X'; }, LANG_BAD_FILE, true},
        {"no NUL in pool at all",
         [](QByteArray& b) {
             b[kPoolAt + 3] = '-';
             b[b.size() - 1] = '-';
         },
         LANG_BAD_FILE, true},
        {"no text entries", [](QByteArray& b) { PutU32(b, kTextCountAt, 0); }, LANG_OK, true},
        {"empty pool", [](QByteArray& b) { PutU32(b, kPoolSizeAt, 0); }, LANG_OK, true},
        // With N or T of 0 nothing is read, so the other counts are not held against the file.
        {"no text entries, huge alias count and pool",
         [](QByteArray& b) {
             PutU32(b, kTextCountAt, 0);
             PutU32(b, kAliasCountAt, 0xFFFFFFFF);
             PutU32(b, kPoolSizeAt, 0xFFFFFFFF);
         },
         LANG_OK, true},
        {"empty pool, text count beyond file",
         [](QByteArray& b) {
             PutU32(b, kPoolSizeAt, 0);
             PutU32(b, kTextCountAt, 99);
         },
         LANG_OK, true},
        {"header alone, no texts but a pool size",
         [](QByteArray& b) {
             b.truncate(64);
             PutU32(b, kTextCountAt, 0);
         },
         LANG_OK, true},
        {"bytes after the pool", [](QByteArray& b) { b.append("junk"); }, LANG_OK, false},
        {"offset inside a text", [](QByteArray& b) { PutU32(b, kSecondOffsetAt, 5); }, LANG_OK, false},
    };
    for (const Mutation& row : rows) {
        SCOPED_TRACE(row.behaviour);
        QByteArray bytes = ValidFile();
        row.apply(bytes);
        LanguageTable table;
        ASSERT_EQ(table.Parse(ValidFile()), LANG_OK);  // a refused file must also drop earlier content
        EXPECT_EQ(table.Parse(bytes), row.expected);
        EXPECT_EQ(table.IsEmpty(), row.emptyTable);
        if (row.emptyTable) {
            EXPECT_EQ(table.FindText(kOne), std::nullopt);
        }
    }
}

TEST(LanguageTable, LookupsDoNotDependOnFileOrder) {
    std::vector<LanguageText> texts;
    std::vector<LanguageAlias> aliases;
    for (unsigned id : {907u, 3u, 512u, 64u, 1000u, 1u, 250u}) {
        texts.push_back({StringKey(id), QString::number(id)});
        aliases.push_back({DialogControlKey(130, int(id)), StringKey(id)});
    }
    LanguageTable table;
    ASSERT_EQ(table.Parse(FileBytes(texts, aliases)), LANG_OK);
    for (const LanguageText& t : texts) {
        EXPECT_EQ(table.FindText(t.key), t.text.toStdString());
        const unsigned id = t.key - StringKey(0);
        EXPECT_EQ(table.ResolveAlias(DialogControlKey(130, int(id))), t.key);
    }
    for (unsigned absent : {0u, 2u, 65u, 999u, 1001u}) EXPECT_EQ(table.FindText(StringKey(absent)), std::nullopt);
    EXPECT_EQ(table.FindText(0xFFFFFFFFu), std::nullopt);
}

TEST(LanguageTable, FirstEntryWinsForARepeatedKey) {
    LanguageTable table;
    ASSERT_EQ(table.Parse(FileBytes({{kTwo, "b"}, {kOne, "first"}, {kOne, "second"}})), LANG_OK);
    EXPECT_EQ(table.FindText(kOne), "first");
}

TEST(LanguageTable, SerializeRoundTripsAndCountsWhatItWrites) {
    const LanguageTable built =
        LanguageTable::Build({{kTwo, "Zwei"}, {kOne, "Eins\nmit Zeile"}, {kAliased, ""}}, {{StringKey(7), kOne}});
    const QByteArray bytes = built.Serialize();
    EXPECT_EQ(bytes.left(4), "LANG");
    EXPECT_EQ(GetU32(bytes, kTextCountAt), 3u);
    EXPECT_EQ(GetU32(bytes, kAliasCountAt), 1u);
    EXPECT_EQ(GetU32(bytes, kPoolSizeAt), built.PoolSize());
    EXPECT_EQ(bytes.mid(16, 48), QByteArray(48, '\0'));
    EXPECT_EQ(std::size_t(bytes.size()), 64 + 4 * 8 + built.PoolSize());

    LanguageTable read;
    ASSERT_EQ(read.Parse(bytes), LANG_OK);
    EXPECT_TRUE(read == built);
    EXPECT_EQ(read.Serialize(), bytes);
    EXPECT_EQ(read.FindText(kAliased), "");  // an empty text is still a text
    EXPECT_EQ(read.DecodedTextOf(read.Texts()[1]), "Eins\nmit Zeile");
}

TEST(LanguageTable, BuildStoresWindows1252AndReportsLoss) {
    bool lossless = false;
    const LanguageTable table = LanguageTable::Build({{kOne, QString::fromUtf8("Größe 5 €")}}, {}, &lossless);
    EXPECT_TRUE(lossless);
    EXPECT_EQ(table.FindText(kOne),
              "Gr\xF6\xDF"
              "e 5 \x80");
    EXPECT_EQ(table.DecodedTextOf(table.Texts()[0]), QString::fromUtf8("Größe 5 €"));
    EXPECT_EQ(table.FindDecodedText(kOne), QString::fromUtf8("Größe 5 €"));
    EXPECT_EQ(table.FindDecodedText(kTwo), std::nullopt);

    const LanguageTable lossy =
        LanguageTable::Build({{kOne, QString::fromUtf8("日本")}, {kTwo, QString("a") + QChar(0) + "b"}}, {}, &lossless);
    EXPECT_FALSE(lossless);
    EXPECT_EQ(lossy.FindText(kOne), "??");
    EXPECT_EQ(lossy.FindText(kTwo), "ab");  // an embedded NUL would cut the text short
}

}  // namespace
