// Every language's menu and string table, read back from the compiled
// resources and held against the English reference.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iomanip>
#include <set>
#include <sstream>
#include <string>

#include "menu_additions.h"
#include "resource_ids.h"
#include "resource_reading.h"

namespace corvale::testing {
namespace {

constexpr LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

std::string nameOf(LANGID language) {
    std::ostringstream name;
    name << "language 0x" << std::hex << std::setw(4) << std::setfill('0') << language;
    return name.str();
}

std::vector<LANGID> menuLanguages() {
    return resourceLanguages(RT_MENU, MAKEINTRESOURCEW(IDM_MAIN_MENU));
}

// Chinese, Japanese, Korean and Thai mark a Latin key in brackets after the
// text, "(&G)"; the other languages underline a letter of their own text.
bool usesBracketedMnemonics(LANGID language) {
    const WORD primary = PRIMARYLANGID(language);
    return primary == LANG_CHINESE || primary == LANG_JAPANESE || primary == LANG_KOREAN || primary == LANG_THAI;
}

bool isRightToLeft(LANGID language) {
    return PRIMARYLANGID(language) == LANG_ARABIC || PRIMARYLANGID(language) == LANG_HEBREW;
}

std::wstring labelOf(const std::wstring& text) {
    return text.substr(0, text.find(L'\t'));
}
std::wstring hintOf(const std::wstring& text) {
    const size_t tab = text.find(L'\t');
    return tab == std::wstring::npos ? std::wstring() : text.substr(tab + 1);
}

struct Mnemonic {
    int count = 0;
    wchar_t key = 0;
    bool bracketed = false;  // "(&K)" closing the label
};

Mnemonic mnemonicOf(const std::wstring& label) {
    Mnemonic mnemonic;
    for (size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != L'&') continue;
        if (label[i + 1] == L'&') {
            ++i;
            continue;
        }
        ++mnemonic.count;
        mnemonic.key = label[i + 1];
        mnemonic.bracketed = i > 0 && label[i - 1] == L'(' && i + 3 == label.size() && label[i + 2] == L')';
    }
    return mnemonic;
}

// The label as the player reads it: "(&G)" dropped, "&" removed.
std::wstring withoutMnemonic(const std::wstring& label) {
    std::wstring plain = label;
    if (mnemonicOf(label).bracketed) plain.resize(plain.size() - 4);
    plain.erase(std::remove(plain.begin(), plain.end(), L'&'), plain.end());
    return plain;
}

wchar_t upper(wchar_t c) {
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(MAKEINTRESOURCEW(c))));
}

// One menu's mnemonics: one per item, on a letter, in the form the language
// uses, and no two alike (the keys `taken` already belong to other items).
void expectGoodMnemonics(LANGID language, const std::vector<MenuEntry>& entries, std::set<wchar_t> taken,
                         const std::string& where) {
    for (const MenuEntry& entry : entries) {
        if (entry.type & MFT_SEPARATOR) continue;
        const Mnemonic mnemonic = mnemonicOf(labelOf(entry.text));
        SCOPED_TRACE(where + ", item " + std::to_string(entry.id));
        ASSERT_EQ(mnemonic.count, 1);
        EXPECT_TRUE(IsCharAlphaW(mnemonic.key));
        EXPECT_EQ(mnemonic.bracketed, usesBracketedMnemonics(language));
        if (mnemonic.bracketed) {
            EXPECT_TRUE(mnemonic.key >= L'A' && mnemonic.key <= L'Z');
        }
        EXPECT_TRUE(taken.insert(upper(mnemonic.key)).second) << "the key is used twice in this menu";
    }
}

TEST(Translations, ThirtyFiveLanguagesEachWithMenuAndStrings) {
    const std::vector<LANGID> languages = menuLanguages();
    EXPECT_EQ(languages.size(), 35u);
    EXPECT_TRUE(std::count(languages.begin(), languages.end(), english));
    for (UINT id : {IDS_TITLE, IDS_WORD_SCORE}) {
        EXPECT_EQ(resourceLanguages(RT_STRING, MAKEINTRESOURCEW(id / 16 + 1)), languages) << "string " << id;
    }
}

TEST(Translations, EveryLanguageHasTheEnglishMenuShapeAndHints) {
    const MenuTree reference = menuInLanguage(english);
    ASSERT_EQ(reference.bar.size(), 3u);
    for (LANGID language : menuLanguages()) {
        SCOPED_TRACE(nameOf(language));
        const MenuTree menu = menuInLanguage(language);
        ASSERT_EQ(menu.popups.size(), reference.popups.size());
        for (size_t p = 0; p < reference.popups.size(); ++p) {
            ASSERT_EQ(menu.popups[p].size(), reference.popups[p].size()) << "menu " << p;
            for (size_t i = 0; i < reference.popups[p].size(); ++i) {
                const MenuEntry& mine = menu.popups[p][i];
                const MenuEntry& theirs = reference.popups[p][i];
                EXPECT_EQ(mine.id, theirs.id) << "menu " << p << " position " << i;
                EXPECT_EQ(mine.type & MFT_SEPARATOR, theirs.type & MFT_SEPARATOR) << "menu " << p << " position " << i;
                EXPECT_EQ(hintOf(mine.text), hintOf(theirs.text)) << "item " << theirs.id;
            }
        }
    }
}

TEST(Translations, MnemonicsAreUniqueInEveryMenu) {
    std::set<wchar_t> added;  // the English items the program inserts into the Game menu
    for (const MenuAddition& item : menuAdditions) added.insert(upper(mnemonicOf(item.text).key));
    ASSERT_EQ(added.size(), std::size(menuAdditions));
    for (LANGID language : menuLanguages()) {
        const MenuTree menu = menuInLanguage(language);
        ASSERT_EQ(menu.popups.size(), 3u) << nameOf(language);
        expectGoodMnemonics(language, menu.bar, {}, nameOf(language) + " menu bar");
        for (size_t p = 0; p < menu.popups.size(); ++p) {
            expectGoodMnemonics(language, menu.popups[p], p == 0 ? added : std::set<wchar_t>{},
                                nameOf(language) + " menu " + std::to_string(p));
        }
    }
}

// Arabic and Hebrew put the menu bar at the right edge. No item carries
// MFT_RIGHTORDER: Wine 8 draws such items as nothing at all.
TEST(Translations, RightToLeftLanguagesStartTheMenuBarAtTheRight) {
    for (LANGID language : menuLanguages()) {
        SCOPED_TRACE(nameOf(language));
        const MenuTree menu = menuInLanguage(language);
        ASSERT_FALSE(menu.bar.empty());
        EXPECT_EQ(menu.bar[0].type & MFT_RIGHTJUSTIFY, isRightToLeft(language) ? MFT_RIGHTJUSTIFY : 0u);
        for (size_t i = 1; i < menu.bar.size(); ++i) EXPECT_EQ(menu.bar[i].type & MFT_RIGHTJUSTIFY, 0u) << i;
        for (size_t i = 0; i < menu.bar.size(); ++i) EXPECT_EQ(menu.bar[i].type & MFT_RIGHTORDER, 0u) << i;
        for (const auto& popup : menu.popups) {
            for (const MenuEntry& entry : popup) EXPECT_EQ(entry.type & MFT_RIGHTORDER, 0u) << entry.id;
        }
    }
}

TEST(Translations, EveryLanguageHasEveryEnglishString) {
    const std::vector<UINT> reference = tableIds(english);
    const std::vector<UINT> expected = {
        IDS_TITLE,         IDS_GAME_OVER_CAPTION, IDS_OUT_OF_TIME,       IDS_WRONG_HOLE,
        IDS_WORD_BEGINNER, IDS_WORD_NOVICE,       IDS_WORD_INTERMEDIATE, IDS_WORD_ADVANCED,
        IDS_WORD_EXPERT,   IDS_WORD_NORMAL,       IDS_WORD_BONUS,        IDS_WORD_UNLIMITED,
        IDS_WORD_PAUSED,   IDS_WORD_BOARD,        IDS_WORD_SCORE,        IDS_WORD_HIGH_SCORE};
    ASSERT_EQ(reference, expected);
    for (LANGID language : menuLanguages()) {
        SCOPED_TRACE(nameOf(language));
        EXPECT_EQ(tableIds(language), reference);
        EXPECT_EQ(tableString(IDS_TITLE, language), L"Corvale");
        if (language != english) {
            EXPECT_NE(tableString(IDS_OUT_OF_TIME, language), tableString(IDS_OUT_OF_TIME, english));
            EXPECT_NE(tableString(IDS_WRONG_HOLE, language), tableString(IDS_WRONG_HOLE, english));
        }
    }
}

// A text that went through the wrong code page or picked up stray characters.
bool looksDamaged(const std::wstring& text, bool menuItem) {
    if (text.empty() || text.front() == L' ' || text.back() == L' ') return true;
    return std::any_of(text.begin(), text.end(), [&](wchar_t c) {
        return c == 0xFFFD || (c < 0x20 && !(menuItem && c == L'\t')) || (c >= 0x7F && c < 0xA0);
    });
}

TEST(Translations, TextsAreCleanAndTheDifficultyNamesAgree) {
    const UINT names[] = {IDS_WORD_BEGINNER, IDS_WORD_NOVICE, IDS_WORD_INTERMEDIATE, IDS_WORD_ADVANCED,
                          IDS_WORD_EXPERT};
    for (LANGID language : menuLanguages()) {
        SCOPED_TRACE(nameOf(language));
        const MenuTree menu = menuInLanguage(language);
        for (const MenuEntry& entry : menu.bar) EXPECT_FALSE(looksDamaged(entry.text, false));
        for (const auto& popup : menu.popups) {
            for (const MenuEntry& entry : popup) {
                if (!(entry.type & MFT_SEPARATOR)) {
                    EXPECT_FALSE(looksDamaged(entry.text, true)) << entry.id;
                }
            }
        }
        for (UINT id : tableIds(language)) EXPECT_FALSE(looksDamaged(tableString(id, language), false)) << id;
        ASSERT_EQ(menu.popups.size(), 3u);
        ASSERT_EQ(menu.popups[1].size(), std::size(names));
        for (size_t i = 0; i < std::size(names); ++i) {
            EXPECT_EQ(withoutMnemonic(menu.popups[1][i].text), tableString(names[i], language)) << names[i];
        }
    }
}

}  // namespace
}  // namespace corvale::testing
