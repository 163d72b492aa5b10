// Placement, presenting and mapping clicks back to the board.
#include "render_fixture.h"
#include "surfaces.h"

namespace corvale {
namespace {

using test::imageRgb;

constexpr std::uint32_t margin = 0xC0C0CB;  // red 192, green 192, blue 203

// A 32-bit window stand-in of width x height.
class Screen {
   public:
    Screen(int w, int h) : width(w), height(h), dc(CreateCompatibleDC(nullptr)) {
        bitmap.reset(createTopDownBitmap(dc.get(), w, h, &bits));
        selection = SelectedObject(dc.get(), bitmap.get());
        std::fill(bits, bits + static_cast<std::size_t>(w) * h, 0x00010203u);
    }
    std::uint32_t rgb(int x, int y) const {
        GdiFlush();
        return bits[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF;
    }
    int width;
    int height;
    MemoryDc dc;
    GdiBitmap bitmap;
    SelectedObject selection;
    std::uint32_t* bits = nullptr;
};

TEST(Placement, ScalesUniformlyAndCentres) {
    EXPECT_EQ(placeGameImage(544, 586), (Placement{0, 0, 544, 586}));
    EXPECT_EQ(placeGameImage(1088, 1172), (Placement{0, 0, 1088, 1172}));
    EXPECT_EQ(placeGameImage(1200, 1172), (Placement{56, 0, 1088, 1172}));
    EXPECT_EQ(placeGameImage(544, 1000), (Placement{0, 207, 544, 586}));
    EXPECT_EQ(placeGameImage(100, 100), (Placement{4, 0, 92, 100}));
    EXPECT_EQ(placeGameImage(545, 586), (Placement{0, 0, 544, 586}));  // the odd pixel goes right
    EXPECT_EQ(placeGameImage(0, 586).width, 0);
    EXPECT_EQ(placeGameImage(-10, -10), (Placement{0, 0, 0, 0}));
}

class Presenting : public ::testing::Test {
   protected:
    void SetUp() override {
        test::paintDistinctSprites(*renderer);
        game.balls.push_back(Ball{});
        game.balls[0].x = 200;
        game.balls[0].y = 300;
        renderer->render(game);
    }
    // Every pixel of `screen` inside `at` shows the image scaled by `scale`,
    // and every pixel outside it is margin.
    ::testing::AssertionResult shows(const Screen& screen, RECT at, int scale) {
        for (int y = 0; y < screen.height; ++y)
            for (int x = 0; x < screen.width; ++x) {
                const bool inside = x >= at.left && x < at.right && y >= at.top && y < at.bottom;
                const std::uint32_t want =
                    inside ? imageRgb(*renderer, (x - at.left) / scale, (y - at.top) / scale) : margin;
                if (screen.rgb(x, y) != want)
                    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                         << screen.rgb(x, y) << ", not " << want;
            }
        return ::testing::AssertionSuccess();
    }
    std::unique_ptr<Renderer> renderer = test::makeRenderer();
    Game game = test::floorGame();
};

TEST_F(Presenting, TwiceTheSizeFillsTheRectangleExactly) {
    Screen screen(1088, 1172);
    renderer->present(screen.dc.get(), RECT{0, 0, 1088, 1172});
    EXPECT_TRUE(shows(screen, RECT{0, 0, 1088, 1172}, 2));
}

TEST_F(Presenting, WiderRectanglesGetMarginsLeftAndRight) {
    Screen screen(1200, 1172);
    renderer->present(screen.dc.get(), RECT{0, 0, 1200, 1172});
    EXPECT_TRUE(shows(screen, RECT{56, 0, 1144, 1172}, 2));
}

TEST_F(Presenting, TallerRectanglesGetMarginsAboveAndBelow) {
    Screen screen(544, 1000);
    renderer->present(screen.dc.get(), RECT{0, 0, 544, 1000});
    EXPECT_TRUE(shows(screen, RECT{0, 207, 544, 793}, 1));
}

TEST_F(Presenting, ATinyRectangleShrinksWithoutBlending) {
    Screen screen(100, 100);
    renderer->present(screen.dc.get(), RECT{0, 0, 100, 100});
    EXPECT_EQ(screen.rgb(3, 50), margin);
    EXPECT_EQ(screen.rgb(96, 50), margin);
    // Colour-on-colour drops pixels: every shown pixel is one of the image's.
    std::vector<std::uint32_t> colours;
    for (int y = 0; y < gameImageHeight; ++y)
        for (int x = 0; x < gameImageWidth; ++x) colours.push_back(imageRgb(*renderer, x, y));
    std::sort(colours.begin(), colours.end());
    for (int y = 0; y < 100; ++y)
        for (int x = 4; x < 96; ++x)
            ASSERT_TRUE(std::binary_search(colours.begin(), colours.end(), screen.rgb(x, y))) << x << ", " << y;
}

TEST_F(Presenting, CopiesToTheRectanglesOwnCorner) {
    Screen screen(600, 700);
    renderer->present(screen.dc.get(), RECT{30, 40, 30 + 544, 40 + 586});
    EXPECT_EQ(screen.rgb(29, 40), 0x010203u);
    EXPECT_EQ(screen.rgb(30, 39), 0x010203u);
    EXPECT_EQ(screen.rgb(30, 40), imageRgb(*renderer, 0, 0));
    EXPECT_EQ(screen.rgb(573, 625), imageRgb(*renderer, 543, 585));
    EXPECT_EQ(screen.rgb(574, 625), 0x010203u);
}

TEST_F(Presenting, EmptyOrInvertedRectanglesDrawNothing) {
    Screen screen(50, 50);
    renderer->present(screen.dc.get(), RECT{10, 10, 10, 40});
    renderer->present(screen.dc.get(), RECT{20, 20, 5, 5});
    EXPECT_EQ(renderer->presentSurfacesCreated(), 0);
    EXPECT_EQ(renderer->rescaleCount(), 0);
    EXPECT_EQ(screen.rgb(10, 10), 0x010203u);
}

TEST_F(Presenting, ScalesOncePerFrameAndReusesTheSurface) {
    Screen screen(1200, 1172);
    const RECT big{0, 0, 1200, 1172};
    renderer->present(screen.dc.get(), big);
    renderer->present(screen.dc.get(), big);
    EXPECT_EQ(renderer->presentSurfacesCreated(), 1);
    EXPECT_EQ(renderer->rescaleCount(), 1);

    renderer->render(game);
    renderer->present(screen.dc.get(), big);
    EXPECT_EQ(renderer->presentSurfacesCreated(), 1);
    EXPECT_EQ(renderer->rescaleCount(), 2);

    // A new size and back: two new surfaces, each scaled, with no new frame.
    renderer->present(screen.dc.get(), RECT{0, 0, 544, 586});
    renderer->present(screen.dc.get(), big);
    EXPECT_EQ(renderer->presentSurfacesCreated(), 3);
    EXPECT_EQ(renderer->rescaleCount(), 4);
    EXPECT_TRUE(shows(screen, RECT{56, 0, 1144, 1172}, 2));
}

TEST(ClientToBoard, MapsThePresentedPictureBackToBoardPixels) {
    auto renderer = test::makeRenderer();
    const RECT twice{0, 0, 1088, 1172};
    auto p = renderer->clientToBoard(POINT{0, 84}, twice);
    ASSERT_TRUE(p);
    EXPECT_EQ(*p, (BoardPoint{0.0, 0.0}));
    p = renderer->clientToBoard(POINT{1087, 1171}, twice);
    ASSERT_TRUE(p);
    EXPECT_EQ(*p, (BoardPoint{543.5, 543.5}));
    p = renderer->clientToBoard(POINT{301, 85}, twice);
    ASSERT_TRUE(p);
    EXPECT_EQ(*p, (BoardPoint{150.5, 0.5}));

    EXPECT_FALSE(renderer->clientToBoard(POINT{500, 83}, twice));  // over the header
    EXPECT_FALSE(renderer->clientToBoard(POINT{1088, 500}, twice));
    EXPECT_FALSE(renderer->clientToBoard(POINT{500, 1172}, twice));
    EXPECT_FALSE(renderer->clientToBoard(POINT{-1, 500}, twice));
    EXPECT_FALSE(renderer->clientToBoard(POINT{0, 0}, RECT{0, 0, 0, 0}));
    EXPECT_FALSE(renderer->clientToBoard(POINT{5, 5}, RECT{10, 10, 0, 0}));
}

TEST(ClientToBoard, HonoursMarginsAndTheRectanglesOrigin) {
    auto renderer = test::makeRenderer();
    const RECT wide{100, 50, 1300, 1222};  // 1200 x 1172
    EXPECT_FALSE(renderer->clientToBoard(POINT{155, 600}, wide));
    auto p = renderer->clientToBoard(POINT{156, 134}, wide);
    ASSERT_TRUE(p);
    EXPECT_EQ(*p, (BoardPoint{0.0, 0.0}));
    EXPECT_FALSE(renderer->clientToBoard(POINT{1244, 600}, wide));

    // 544 x 1000 puts the picture 207 pixels down: the board starts at 249.
    EXPECT_FALSE(renderer->clientToBoard(POINT{10, 248}, RECT{0, 0, 544, 1000}));
    p = renderer->clientToBoard(POINT{10, 249}, RECT{0, 0, 544, 1000});
    ASSERT_TRUE(p);
    EXPECT_EQ(*p, (BoardPoint{10.0, 0.0}));
    EXPECT_FALSE(renderer->clientToBoard(POINT{10, 793}, RECT{0, 0, 544, 1000}));
}

TEST_F(Presenting, ClientToBoardAgreesWithWhatPresentShows) {
    // Wherever present shows board pixels, clientToBoard finds a point, and
    // nowhere else, at sizes that do not divide evenly.
    for (SIZE size : {SIZE{100, 100}, SIZE{777, 901}, SIZE{1301, 640}}) {
        Screen screen(size.cx, size.cy);
        const RECT all{0, 0, size.cx, size.cy};
        renderer->present(screen.dc.get(), all);
        const Placement p = placeGameImage(size.cx, size.cy);
        const int row = p.y + p.height * 3 / 4;
        for (int x = 0; x < size.cx; ++x) {
            const bool picture = screen.rgb(x, row) != margin;
            EXPECT_EQ(renderer->clientToBoard(POINT{x, row}, all).has_value(), picture) << size.cx << ": " << x;
        }
    }
}

}  // namespace
}  // namespace corvale
