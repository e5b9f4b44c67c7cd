#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>

#include "documents/config_entries.hpp"
#include "documents/file_io.hpp"
#include "documents/key_document.hpp"
#include "support/layouts.hpp"

using namespace sarvelo;

namespace {

std::string tempPath(const std::string& name) { return ::testing::TempDir() + "sarvelo_doc_" + name; }

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const std::string& path) { return readFileBytes(path, kMaxTextFileBytes, false).bytes; }

RichText formattedKey() {
    RichText t;
    Paragraph& a = t.paragraphs.emplace_back();
    a.leftIndent = 360;
    a.firstIndent = -360;
    a.append("1. ", {true, false, false, kAutomaticColour});
    a.append("Chapeau rouge", {false, true, true, 0x0000FF});
    a.append(" ...... 2", {});
    t.paragraphs.emplace_back();
    t.paragraphs.emplace_back().append("- Chapeau brun => Amanita fulva", {});
    return t;
}

}  // namespace

TEST(KeyDocument, SavedAndOpenedGivesBackTextAndEveryParameter) {
    const std::string path = tempPath("whole.Sarvelo");
    KeyParams original = sarvelo::testing::everythingChanged();
    original.Separ1 = ".\r\nChapeau";  // a separator taken across two lines
    ASSERT_FALSE(saveKeyDocument(path, formattedKey(), original));

    const LoadedDocument loaded = loadKeyDocument(path);
    ASSERT_FALSE(loaded.error);
    EXPECT_TRUE(loaded.document.hasMarker);
    EXPECT_EQ(loaded.document.keyText, formattedKey());
    EXPECT_EQ(loaded.document.configuration, configurationEntries(original));
    KeyParams read;
    EXPECT_FALSE(applyConfiguration(read, loaded.document.configuration));
    for (const auto& info : paramInfos()) EXPECT_TRUE(sameValue(read, original, info)) << info.name;
}

TEST(KeyDocument, TheFirstMarkerLineEndsTheKeyText) {
    struct Case {
        std::vector<std::string> lines;
        std::vector<std::string> key;
        std::vector<std::string> configuration;
        bool hasMarker;
    };
    const Case cases[] = {
        {{kConfigurationMarker, "[Separ1] x"}, {}, {"[Separ1] x"}, true},
        {{"a", kConfigurationMarker, kConfigurationMarker, "[Separ1] x"}, {"a"}, {kConfigurationMarker, "[Separ1] x"}, true},
        {{"a", " Configuration pour Sarvelo", "b"}, {"a", " Configuration pour Sarvelo", "b"}, {}, false},
        {{}, {}, {}, false},
    };
    for (const auto& c : cases) {
        const KeyDocument doc = splitKeyDocument(RichText::fromLines(c.lines));
        EXPECT_EQ(doc.keyText.lines(), c.key);
        EXPECT_EQ(doc.configuration, c.configuration);
        EXPECT_EQ(doc.hasMarker, c.hasMarker);
    }
    // An empty key text: the marker is the first line of the file.
    const LoadedDocument empty = [] {
        const std::string path = tempPath("empty.Sarvelo");
        EXPECT_FALSE(saveKeyDocument(path, {}, KeyParams{}));
        return loadKeyDocument(path);
    }();
    EXPECT_TRUE(empty.document.hasMarker);
    EXPECT_TRUE(empty.document.keyText.paragraphs.empty());
}

TEST(KeyDocument, PlainTextFilesOpenAsKeyText) {
    const std::string path = tempPath("plain.txt");
    writeBytes(path, "1. Chapeau \xE9\r\nConfiguration pour Sarvelo\r\n[Format] 2\r\n");
    const LoadedDocument loaded = loadKeyDocument(path);
    ASSERT_FALSE(loaded.error);
    EXPECT_EQ(loaded.document.keyText.lines(), std::vector<std::string>{"1. Chapeau é"});
    EXPECT_EQ(loaded.document.configuration, std::vector<std::string>{"[Format] 2"});
}

// The lines a run reads are those of the document, RTF or text, without
// paragraphs made for a text file.
TEST(KeyDocument, ReadAsLinesGivesTheDocumentsLinesAndConfiguration) {
    const std::string rtf = keyDocumentRtf(formattedKey(), KeyParams{});
    for (const std::string& bytes : {std::string("1. Chapeau \xE9\r\n\r\nConfiguration pour Sarvelo\r\n[Format] 2\r\n"),
                                     std::string("a\nb"), rtf, std::string()}) {
        const std::optional<KeyDocument> document = readKeyDocument(bytes);
        const std::optional<KeyDocumentLines> lines = readKeyDocumentLines(bytes);
        ASSERT_TRUE(document && lines);
        EXPECT_EQ(lines->keyText.toLines(), document->keyText.lines());
        EXPECT_EQ(lines->configuration, document->configuration);
        EXPECT_EQ(lines->hasMarker, document->hasMarker);
        EXPECT_EQ(lines->formatted.has_value(), bytes == rtf);
    }
    EXPECT_EQ(readKeyDocumentLines("1. a\n").value().replaced, 0u);
    EXPECT_EQ(readKeyDocumentLines("1. \xC3\xA9 \xFF a\n").value().replaced, 1u);
    EXPECT_FALSE(readKeyDocumentLines(std::string("\x89PNG\0\0", 6)));
}

TEST(KeyDocument, UnreadableFilesGiveTheirMessage) {
    const std::string binary = tempPath("image.png");
    writeBytes(binary, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    EXPECT_EQ(loadKeyDocument(binary).error, std::optional<std::string>(kMsgLoadFailed));
    for (const std::string& path : {tempPath("missing.Sarvelo"), ::testing::TempDir()}) {
        const auto error = loadKeyDocument(path).error;
        ASSERT_TRUE(error) << path;
        EXPECT_EQ(error->rfind("Impossible d'ouvrir le fichier \"" + path + "\". ", 0), 0u) << *error;
    }
}

TEST(KeyDocument, AFailedSaveKeepsTheEarlierFile) {
    const std::string dir = tempPath("locked");
    ::mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/cle.Sarvelo";
    ASSERT_FALSE(saveKeyDocument(path, formattedKey(), KeyParams{}));
    const std::string before = readBytes(path);
    ::chmod(dir.c_str(), 0555);
    const bool writable = ::access(dir.c_str(), W_OK) == 0;  // root writes anywhere
    const auto failure = saveKeyDocument(path, RichText::fromLines({"autre"}), KeyParams{});
    ::chmod(dir.c_str(), 0755);
    if (!writable) {
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->rfind("Impossible de créer le fichier \"" + path + "\". ", 0), 0u) << *failure;
        EXPECT_EQ(readBytes(path), before);
    }
    const auto intoFolder = saveKeyDocument(dir, formattedKey(), KeyParams{});
    ASSERT_TRUE(intoFolder);
    EXPECT_EQ(intoFolder->rfind("Impossible de créer le fichier", 0), 0u);
}

TEST(KeyDocument, AHundredThousandEntryLinesOpen) {
    std::vector<std::string> lines{"1. a ... 2", kConfigurationMarker};
    for (int i = 0; i < 100000; ++i) lines.push_back("[Liste_separ_3] =" + std::to_string(i));
    const std::string path = tempPath("many.Sarvelo");
    writeBytes(path, writeRtf(RichText::fromLines(lines)));
    const LoadedDocument loaded = loadKeyDocument(path);
    ASSERT_EQ(loaded.document.configuration.size(), 100000u);
    KeyParams p;
    EXPECT_FALSE(applyConfiguration(p, loaded.document.configuration));
    EXPECT_EQ(p.Liste_separ_3.size(), 100000u);
}
