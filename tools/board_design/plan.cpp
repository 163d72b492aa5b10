#include "plan.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "ideas.h"

namespace corvale::design {
namespace {

std::uint32_t mix(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// Mechanisms each difficulty brings in; a board of a difficulty may use its
// own and all earlier ones.
unsigned introducedIn(int difficulty) {
    switch (difficulty) {
        case 0:
            return Preplaced | Paint | Bricks;
        case 1:
            return Valves | Launchers;
        case 2:
            return Filters | Ramps;
        case 3:
            return TimedDoors | Keyholes;
        default:
            return 0;
    }
}

unsigned availableIn(int difficulty) {
    unsigned all = 0;
    for (int d = 0; d <= difficulty; ++d) all |= introducedIn(d);
    return all;
}

std::vector<unsigned> bits(unsigned set) {
    std::vector<unsigned> out;
    for (unsigned f = 1; f <= Keyholes; f <<= 1) {
        if (set & f) out.push_back(f);
    }
    return out;
}

struct Span {
    int first;
    int count;
};

// Picks `n` ids of the spans by a fixed hash, the `must` ids first.
std::vector<int> choose(const std::vector<int>& eligible, int n, std::uint32_t salt, const std::vector<int>& must) {
    std::vector<int> ranked = eligible;
    std::sort(ranked.begin(), ranked.end(), [&](int a, int b) {
        const bool ma = std::find(must.begin(), must.end(), a) != must.end();
        const bool mb = std::find(must.begin(), must.end(), b) != must.end();
        if (ma != mb) return ma;
        return mix(static_cast<std::uint32_t>(a) * 2654435761u + salt) <
               mix(static_cast<std::uint32_t>(b) * 2654435761u + salt);
    });
    ranked.resize(static_cast<std::size_t>(std::min<int>(n, static_cast<int>(ranked.size()))));
    return ranked;
}

std::vector<int> idsOf(int difficulty, bool bonus, double fromStage = 0) {
    const DifficultyRange& range = difficultyRanges[static_cast<std::size_t>(difficulty)];
    std::vector<int> ids;
    const int first = bonus ? range.firstId + range.normalCount : range.firstId;
    const int count = bonus ? range.bonusCount : range.normalCount;
    for (int i = 0; i < count; ++i) {
        if (bonus || i >= fromStage * count) ids.push_back(first + i);
    }
    return ids;
}

// Boards whose queue and bricks are fixed by their own plan below.
bool fixedElsewhere(int id) {
    for (const int fixed :
         {0, 69, 150, 187, 188, 189, 232, 370, 534, 250, 292, 293, 300, 395, 396, 406, 506, 522, 523, 529}) {
        if (id == fixed) return true;
    }
    return false;
}

void add(std::vector<int>& to, const std::vector<int>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// Stage thresholds of Beginner, where each of its mechanisms comes in.
constexpr double preplacedFrom = 0.25;
constexpr double paintFrom = 0.5;
constexpr double bricksFrom = 0.72;

}  // namespace

std::vector<std::uint8_t> trailingBytesFor(int id) {
    static const std::map<int, std::vector<std::uint8_t>> bytes{
        {23, {0x00}},
        {77, {0x30, 0x00}},
        {141, {0x20, 0x00, 0x20, 0x10}},
        {205, {0x1F, 0xFF}},
        {260, {0x90, 0x11, 0x90, 0x21}},
        {333, {0xA0, 0x01, 0xA0, 0x12}},
        {381, {0x30, 0x01, 0x30, 0x02, 0x30, 0x03, 0x30, 0x04, 0x40, 0x00, 0x50, 0x01,
               0x60, 0x55, 0x70, 0x41, 0x80, 0x30, 0x90, 0xF1, 0xA0, 0x13, 0x00, 0x00}},
        {404, {0x70, 0x42, 0x70, 0x43}},
        {430, {0x1F, 0xFF, 0x30, 0x01}},
        {455, {0x66, 0x13}},
        {471, {0x2F, 0x00, 0x2F}},
        {500, {0x80, 0x00, 0x80, 0x10, 0x80, 0x20, 0x80, 0x30}},
        {537, {0x40, 0x04, 0x20, 0x40}},
        {549, {0xC0, 0xFF, 0xEE}},
    };
    const auto found = bytes.find(id);
    return found == bytes.end() ? std::vector<std::uint8_t>{} : found->second;
}

int fittedTimeLimit(const Level& level, int balls) {
    static const double perBall[] = {16.0, 12.0, 10.0, 8.5, 7.0};
    static const double slack[] = {1.6, 1.4, 1.25, 1.15, 1.05};
    const int d = std::clamp(level.difficulty, 0, 4);
    const int queued = static_cast<int>(level.queue.size());
    // The clock starts with the first launch, or at once without a queue.
    const double schedule = queued > 0 ? (queued - 1) * level.launchInterval : 0.0;
    // Walls that make the player wait (a lock to open, a beat to catch, bricks to dig) cost time too.
    double waiting = 1.0;
    for (const TileCell& cell : level.cells) {
        const int kind = tileKindOf(cell.code);
        if (kind == 6 || kind == 7) waiting = std::max(waiting, 1.4);
        if (kind == 4) waiting = std::max(waiting, 1.2);
    }
    const double handling = perBall[d] * waiting * balls + 10.0;
    const double needed = std::max(schedule + perBall[d] * 1.5, handling) + (queued > 0 ? 0 : 4);
    const int limit = static_cast<int>(std::lround(needed * slack[d] / 5.0) * 5);
    return std::clamp(limit, 40, 175);
}

std::vector<Plan> planSet() {
    std::vector<Plan> plans(levelCount);
    // The quoted quantities first: which boards have bricks, no queue, a shuffled queue.
    std::vector<int> brickEligible, emptyEligible;
    add(brickEligible, idsOf(0, false, bricksFrom));
    add(brickEligible, idsOf(0, true));
    for (int d = 1; d < 5; ++d) {
        add(brickEligible, idsOf(d, false));
        add(brickEligible, idsOf(d, true));
    }
    std::vector<int> bricks;
    const int brickShare[][2] = {{14, 12}, {22, 6}, {14, 5}, {14, 5}, {10, 5}};
    for (int d = 0; d < 5; ++d) {
        for (int bonus = 0; bonus < 2; ++bonus) {
            std::vector<int> pool = bonus ? idsOf(d, true) : idsOf(d, false, d == 0 ? bricksFrom : 0);
            pool.erase(std::remove_if(pool.begin(), pool.end(), [](int id) { return fixedElsewhere(id); }), pool.end());
            add(bricks,
                choose(pool, brickShare[d][bonus], 101u + static_cast<std::uint32_t>(d * 2 + bonus), {100, 179, 186}));
        }
    }
    std::vector<int> empty;
    const int emptyShare[][2] = {{22, 14}, {26, 8}, {28, 9}, {28, 8}, {20, 6}};
    for (int d = 0; d < 5; ++d) {
        for (int bonus = 0; bonus < 2; ++bonus) {
            std::vector<int> pool = bonus ? idsOf(d, true) : idsOf(d, false, d == 0 ? preplacedFrom : 0);
            // In Beginner a board shows one mechanism: waiting balls or bricks, not both.
            pool.erase(
                std::remove_if(pool.begin(), pool.end(),
                               [&](int id) {
                                   return fixedElsewhere(id) || id == 179 || id == 100 ||
                                          (d == 0 && std::find(bricks.begin(), bricks.end(), id) != bricks.end());
                               }),
                pool.end());
            add(empty, choose(pool, emptyShare[d][bonus], 211u + static_cast<std::uint32_t>(d * 2 + bonus), {35, 186}));
        }
    }

    for (int id = 0; id < levelCount; ++id) {
        Plan& plan = plans[static_cast<std::size_t>(id)];
        Brief& brief = plan.brief;
        brief.id = id;
        std::int32_t difficulty = 0;
        classifyLevelId(id, difficulty, brief.bonus);
        const int d = brief.difficulty = difficulty;
        const DifficultyRange& range = difficultyRanges[static_cast<std::size_t>(d)];
        const int index = brief.bonus ? id - range.firstId - range.normalCount : id - range.firstId;
        const int count = brief.bonus ? range.bonusCount : range.normalCount;
        brief.stage = static_cast<double>(index) / count;
        const std::uint32_t h = mix(static_cast<std::uint32_t>(id) * 747796405u + 2891336453u);
        plan.bricks = std::find(bricks.begin(), bricks.end(), id) != bricks.end();
        plan.emptyQueue = std::find(empty.begin(), empty.end(), id) != empty.end();

        // Mechanisms: in Beginner each comes alone; later difficulties
        // introduce theirs alone on most boards and combine the rest.
        unsigned available = availableIn(d);
        if (d == 0 && !brief.bonus) {
            available = 0;
            if (brief.stage >= preplacedFrom) available |= Preplaced;
            if (brief.stage >= paintFrom) available |= Paint;
            if (brief.stage >= bricksFrom) available |= Bricks;
        }
        if (plan.bricks) {
            plan.lead = Bricks;
        } else if (plan.emptyQueue) {
            plan.lead = Preplaced;
        } else {
            std::vector<unsigned> fresh = bits(introducedIn(d) & available & ~(Bricks | Preplaced));
            std::vector<unsigned> older = bits(available & ~introducedIn(d) & ~(Bricks | Preplaced));
            if (d == 0) fresh = bits(available & Paint);
            const int roll = static_cast<int>(h % 100);
            if (d == 0 && (fresh.empty() || roll < 45)) {
                plan.lead = 0;
            } else if (!fresh.empty() && (roll < 60 || older.empty())) {
                plan.lead = fresh[(h >> 8) % fresh.size()];
            } else if (!older.empty()) {
                plan.lead = older[(h >> 8) % older.size()];
            }
        }
        if (d == 0 || (plan.lead & introducedIn(d) && (h >> 12) % 100 < 60)) {
            plan.features = plan.lead;  // the mechanism alone
        } else {
            plan.features = available & ~(Bricks | Preplaced);
            // at most three at once, the lead among them
            std::vector<unsigned> others = bits(plan.features & ~plan.lead);
            plan.features = plan.lead;
            for (std::size_t i = 0; i < others.size() && i < 2; ++i) {
                plan.features |= others[(h >> (16 + 3 * i)) % others.size()];
            }
        }
        if (plan.bricks) plan.features |= Bricks;
        if (plan.emptyQueue) plan.features |= Preplaced;
        brief.preplacedOnly = plan.emptyQueue;
        if (!plan.bricks) plan.features &= ~Bricks;
        if (!plan.emptyQueue && d == 0) plan.features &= ~Preplaced;

        // Colours and balls.
        static const int palette[] = {Red, Blue, Green, Gold};
        const int colorCounts[5][2] = {{1, 2}, {2, 3}, {2, 3}, {3, 4}, {3, 4}};
        int colors = colorCounts[d][0] + static_cast<int>((h >> 20) % 2);
        if (d == 0 && brief.stage < 0.15 && !brief.bonus) colors = 1 + static_cast<int>((h >> 20) % 2);
        if (d == 0 && plan.lead == Paint) colors = 2;
        const int rotate = static_cast<int>((h >> 24) % 4);
        for (int i = 0; i < colors; ++i) brief.colors.push_back(palette[(i + (d == 0 ? 0 : rotate)) % 4]);
        const int ballRange[5][2] = {{1, 3}, {3, 5}, {4, 7}, {5, 9}, {6, 12}};
        brief.balls =
            ballRange[d][0] + static_cast<int>(std::lround(brief.stage * (ballRange[d][1] - ballRange[d][0])));
        brief.balls = std::max(brief.balls, colors);
        if (brief.bonus) brief.balls = std::min(18, brief.balls + 2 + static_cast<int>((h >> 4) % 3));

        // Speeds rise across and within the difficulties; launches mostly every 4 s.
        const int speedBase[5][2] = {{50, 80}, {80, 150}, {100, 180}, {120, 210}, {150, 250}};
        plan.minSpeed = speedBase[d][0] + static_cast<int>(brief.stage * (d == 0 ? 10 : 20)) + static_cast<int>((h >> 6) % 6);
        plan.maxSpeed = speedBase[d][1] + static_cast<int>(brief.stage * (d == 0 ? 30 : 40)) + static_cast<int>((h >> 9) % 11);
        plan.maxSpeed = std::min(plan.maxSpeed, 300);
        static const int otherIntervals[] = {2, 3, 5, 6, 3, 5, 8, 6};
        plan.interval = (h >> 13) % 100 < 70 ? 4 : otherIntervals[(h >> 17) % 8];
        if (brief.bonus && (h >> 13) % 100 >= 70) plan.interval = otherIntervals[(h >> 17) % 8] / 2 + 1;
    }

    // The boards whose bytes are quoted.
    auto pin = [&](int id) -> Plan& {
        Plan& plan = plans[static_cast<std::size_t>(id)];
        plan.pinned = true;
        return plan;
    };
    {
        Plan& p = pin(0);
        p.interval = 4, p.minSpeed = 50, p.maxSpeed = 150, p.timeLimit = 120, p.randomize = true;
        p.lead = p.features = 0;
    }
    {
        Plan& p = pin(186);
        p.interval = 4, p.minSpeed = 167, p.maxSpeed = 202, p.timeLimit = 100;
    }
    pin(179);
    // The first board of each mechanism is drawn by hand and keeps its place.
    for (const int id : {35, 69, 100, 187, 188, 189, 292, 293, 395, 396}) pin(id);
    {
        // The long shift: a full queue, slowly fed.
        Plan& p = pin(232);
        p.timeLimit = 200, p.interval = 9, p.emptyQueue = false, p.brief.balls = 18;
    }
    for (const int id : {300, 406}) {
        Plan& p = pin(id);
        p.timeLimit = 180, p.interval = 8, p.emptyQueue = false, p.brief.balls = 16;
    }
    for (const int id : {506, 522, 523, 529}) {
        // Sprints: few balls, fast, launched close together.
        Plan& p = pin(id);
        p.timeLimit = id == 529 ? 34 : 35;
        p.interval = 3, p.brief.balls = 3, p.emptyQueue = false;
        p.brief.colors.resize(std::min<std::size_t>(p.brief.colors.size(), 3));
    }
    // Shuffled queues, spread over the set by a fixed stride: never on a
    // board whose idea is an order of colours (keyholes), nor on 186.
    std::vector<int> queued, idle;
    for (int id = 1; id < levelCount; ++id) {
        const Plan& plan = plans[static_cast<std::size_t>(id)];
        if (id == 186 || plan.pinned) continue;
        if (plan.emptyQueue) {
            idle.push_back(id);
        } else if (!(plan.features & Keyholes)) {
            queued.push_back(id);
        }
    }
    auto spread = [&](const std::vector<int>& ids, int count) {
        for (int i = 0; i < count; ++i) {
            const std::size_t at = static_cast<std::size_t>(i) * ids.size() / static_cast<std::size_t>(count);
            plans[static_cast<std::size_t>(ids[at])].randomize = true;
        }
    };
    spread(queued, randomizedBoards - randomizedEmptyQueue - 1);  // board 0 is the one more
    spread(idle, randomizedEmptyQueue);

    // One board floods: no pause between launches.
    plans[150].interval = 0;
    plans[150].brief.balls = 12;
    // One board is patient: half a minute between balls.
    plans[250].interval = 30;
    plans[250].brief.balls = 3;
    return plans;
}

}  // namespace corvale::design
