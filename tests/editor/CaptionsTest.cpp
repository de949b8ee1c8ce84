#include "editor/Captions.h"

#include <gtest/gtest.h>

namespace {

using Captions::Column;

// The caption table as the program's users know it, a row a control: Turkish, English, German.
struct Row {
    Captions::Text text;
    const char* name;
    const char* tr;
    const char* en;
    const char* de;
};

const Row Table[] = {
    {&Column::newButton, "New", "Yeni", "New", "Neu"},
    {&Column::loadPicture, "Load BMP", "BMP Yükle", "Load BMP", "BMP Laden"},
    {&Column::savePicture, "Save BMP", "BMP Kayıt", "Save BMP", "BMP Speichern"},
    {&Column::convert, "conversion", "BMP > EPA", "BMP > EPA", "BMP > EPA"},
    {&Column::loadLogo, "Load EPA", "EPA Yükle", "Load EPA", "EPA Laden"},
    {&Column::saveLogo, "Save EPA", "EPA Kayıt", "Save EPA", "EPA Speichern"},
    {&Column::about, "About", "Hakkında", "About...", "\u0130nfo"},
    {&Column::help, "Help", "Yardım", "Help", "Hilfe"},
    {&Column::exit, "Exit", "Çıkış", "Exit", "Ende"},
    {&Column::pixelHeading, "pixel heading", "Piksel", "Pixel", "Pixel"},
    {&Column::characterHeading, "character heading", "Karakter", "Character", "Charakter"},
    {&Column::pictureName, "picture name", "Yeni", "New", "Neu"},
    {&Column::logoName, "logo name", "Adsız", "noname", "Namelos"},
};

} // namespace

TEST(Captions, EveryTextOfEveryLanguageIsTheTablesByName) {
    const auto& languages = Captions::Languages();
    ASSERT_EQ(languages[0].code, "Tr");
    ASSERT_EQ(languages[1].code, "En");
    ASSERT_EQ(languages[2].code, "De");
    int checked = 0;
    for (const Row& row : Table) {
        const char* expected[] = {row.tr, row.en, row.de};
        for (int i = 0; i < 3; ++i, ++checked)
            EXPECT_EQ(languages[std::size_t(i)].texts.*row.text, QString::fromUtf8(expected[i]))
                << row.name << " in " << languages[std::size_t(i)].code.toStdString();
    }
    EXPECT_EQ(checked, 39);
    EXPECT_EQ(sizeof(Column), sizeof(Table) / sizeof(Row) * sizeof(QString))
        << "a caption was added without a row here";
}

TEST(Captions, AnUntitledNameFollowsTheLanguageAndAFilesNameStays) {
    EXPECT_EQ(Captions::InLanguage("Adsız", &Column::logoName, "De"), "Namelos");
    EXPECT_EQ(Captions::InLanguage("noname", &Column::logoName, "Tr"), "Adsız");
    EXPECT_EQ(Captions::InLanguage("New", &Column::pictureName, "De"), "Neu");
    EXPECT_EQ(Captions::InLanguage("logo.epa", &Column::logoName, "En"), "logo.epa");
    EXPECT_EQ(Captions::InLanguage("Adsız", &Column::logoName, "Fr"), "Adsız");
}
