// The loader's choice: LoadMenuW and LoadStringW answer in the thread's UI
// language, else the user's, else English.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "application.h"
#include "resource_ids.h"
#include "resource_reading.h"

namespace corvale::testing {
namespace {

std::wstring loadedGameMenuItem(UINT id) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_MAIN_MENU));
    if (!menu) return L"(no menu)";
    wchar_t text[256] = {};
    GetMenuStringW(GetSubMenu(menu, 0), id, text, 256, MF_BYCOMMAND);
    DestroyMenu(menu);
    return text;
}

std::wstring loadedString(UINT id) {
    return loadStringOr(GetModuleHandleW(nullptr), id, L"(fallback)");
}

struct Expected {
    LANGID language;
    const wchar_t* newGame;
    const wchar_t* outOfTime;
};

// Windows (since Vista) picks resources by the thread's UI language; Wine 8
// goes by the thread locale instead, and only where it matches a resource's
// language exactly. Setting both, to languages our files name with a region,
// makes the same test hold on either.
class ThreadLanguage : public ::testing::Test {
   protected:
    void SetUp() override { savedLocale = GetThreadLocale(); }
    void TearDown() override {
        SetThreadUILanguage(0);
        SetThreadLocale(savedLocale);
    }

    static void use(LANGID language) {
        ASSERT_EQ(SetThreadUILanguage(language), language);
        ASSERT_TRUE(SetThreadLocale(MAKELCID(language, SORT_DEFAULT)));
    }

    LCID savedLocale = 0;
};

TEST_F(ThreadLanguage, MenuAndStringsFollowTheThreadLanguage) {
    const Expected cases[] = {
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL), L"新遊戲(&N)\tF2", L"時間到了。"},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), L"新游戏(&N)\tF2", L"时间到了。"},
        {MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN), L"&Novo jogo\tF2", L"Seu tempo acabou."},
        {MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE), L"&Novo jogo\tF2", L"O tempo acabou."},
        {MAKELANGID(LANG_SERBIAN, 0x09), L"&Nova igra\tF2", L"Isteklo je vreme."},
        {MAKELANGID(LANG_CROATIAN, SUBLANG_CROATIAN_CROATIA), L"&Nova igra\tF2", L"Isteklo je vrijeme."},
        {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"&New Game\tF2", L"You ran out of time."},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.language);
        use(c.language);
        EXPECT_EQ(loadedGameMenuItem(IDC_NEW_GAME), c.newGame);
        EXPECT_EQ(loadedString(IDS_OUT_OF_TIME), c.outOfTime);
        EXPECT_EQ(loadedString(IDS_TITLE), L"Corvale");
    }
}

// Needs an English user language (test.sh runs with LANG=C.UTF-8).
TEST_F(ThreadLanguage, LanguageWithoutTranslationFallsBackToEnglish) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_ENGLISH) GTEST_SKIP() << "the user's language is not English";
    use(MAKELANGID(LANG_SWAHILI, SUBLANG_SWAHILI_KENYA));
    EXPECT_EQ(loadedGameMenuItem(IDC_NEW_GAME), L"&New Game\tF2");
    EXPECT_EQ(loadedString(IDS_GAME_OVER_CAPTION), L"Game over!");
    EXPECT_EQ(loadedString(IDS_WORD_HIGH_SCORE), L"High score");
}

// Most files name a language without a region, so every region of it finds
// the file: asked for a language with a region, the loader drops the region.
TEST(LanguageFallback, RegionalVariantsFindTheirLanguage) {
    struct Case {
        LANGID language;
        const wchar_t* exit;
    };
    const Case cases[] = {
        {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_AUSTRIAN), L"Be&enden\tAlt+X"},
        {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MEXICAN), L"Sal&ir\tAlt+X"},
        {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH_CANADIAN), L"&Quitter\tAlt+X"},
        {MAKELANGID(LANG_ARABIC, SUBLANG_ARABIC_EGYPT), L"&خروج\tAlt+X"},
        {MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), L"終了(&X)\tAlt+X"},
    };
    for (const Case& c : cases) {
        const MenuTree menu = menuInLanguage(c.language);
        ASSERT_FALSE(menu.popups.empty()) << c.language;
        EXPECT_EQ(menu.popups[0].back().text, c.exit) << c.language;
    }
}

// What the player sees follows the user's language. CTest runs this once
// more under Wine for each of German, Japanese, Arabic and Swahili (which
// has no translation) by setting LANG.
TEST(UserLanguage, MenuAndStringsFollowTheUserLanguage) {
    const Expected cases[] = {
        {LANG_GERMAN, L"&Neues Spiel\tF2", L"Die Zeit ist abgelaufen."},
        {LANG_JAPANESE, L"新しいゲーム(&N)\tF2", L"時間切れです。"},
        {LANG_ARABIC, L"&لعبة جديدة\tF2", L"نفد الوقت.\u200f"},
    };
    const Expected english = {LANG_ENGLISH, L"&New Game\tF2", L"You ran out of time."};
    const Expected* expected = &english;
    for (const Expected& c : cases) {
        if (PRIMARYLANGID(GetUserDefaultUILanguage()) == c.language) expected = &c;
    }
    if (expected == &english && PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_ENGLISH &&
        PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_SWAHILI) {
        GTEST_SKIP() << "no expectation for this user language";
    }
    SCOPED_TRACE(GetUserDefaultUILanguage());
    EXPECT_EQ(loadedGameMenuItem(IDC_NEW_GAME), expected->newGame);
    EXPECT_EQ(loadedString(IDS_OUT_OF_TIME), expected->outOfTime);
    EXPECT_EQ(loadedString(IDS_TITLE), L"Corvale");
}

}  // namespace
}  // namespace corvale::testing
