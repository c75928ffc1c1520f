// Long random sequences of everything a player and the timers can do, checked after
// every event against a small model of the game written from its rules.
//
// BRINDLE_SEED=n picks the seed (CI uses a fixed one), BRINDLE_EVENTS=n the number of
// events. A failure prints the seed and the shortest sequence that still fails.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "puzzles/load.h"
#include "session/game.h"

namespace brindle {
namespace {

enum class Kind : std::uint8_t { Press, NewGame, StopOk, StopCancel, Load, ClockTick, RingTick };

struct Event {
    Kind kind;
    int arg = 0;  // cell index, catalogue entry or ring timer
};

std::string describe(const Event& e) {
    switch (e.kind) {
        case Kind::Press:
            return "press rc_" + std::to_string(posOf(e.arg).row) + "_" +
                   std::to_string(posOf(e.arg).col);
        case Kind::NewGame:
            return "GameNew";
        case Kind::StopOk:
            return "GameStop, OK";
        case Kind::StopCancel:
            return "GameStop, Cancel";
        case Kind::Load:
            return std::string(PuzzleCatalogue[static_cast<std::size_t>(e.arg)].menuName);
        case Kind::ClockTick:
            return "Timer7 tick";
        case Kind::RingTick:
            return "Timer" + std::to_string(e.arg) + " tick";
    }
    return "?";
}

// The rules in their plainest form: a bit per lit cell and a count of seconds.
struct Model {
    GameState state = GameState::Running;
    std::uint32_t lit = 0;
    int litAtRecount = 0;
    bool barCleared = true;
    bool restartPending = false;
    long elapsed = 0;  // seconds since the clock last started from zero
    int shownMinutes = 0, shownSeconds = 0;
    int ringTimer = 1;  // the enabled ring timer, 0 for none
    Picture picture = Picture::Image1;

    static std::uint32_t cross(int index) {
        const Pos p = posOf(index);
        std::uint32_t m = 0;
        for (Pos q : {p, Pos{p.row - 1, p.col}, Pos{p.row + 1, p.col}, Pos{p.row, p.col - 1},
                      Pos{p.row, p.col + 1}}) {
            if (onBoard(q)) m |= 1u << indexOf(q);
        }
        return m;
    }

    void recount() {
        litAtRecount = std::popcount(lit);
        barCleared = false;
    }

    void apply(const Event& e) {
        switch (e.kind) {
            case Kind::Press:
                if (state == GameState::Stopped) return;  // the cover takes it
                lit ^= cross(e.arg);
                recount();
                return;
            case Kind::NewGame:
                state = GameState::Running;
                lit = 0;
                barCleared = true;
                ringTimer = 1;
                return;
            case Kind::StopOk:
                state = GameState::Stopped;
                barCleared = true;
                restartPending = true;
                shownMinutes = shownSeconds = 0;
                ringTimer = 0;
                picture = kStoppedPicture;
                return;
            case Kind::StopCancel:
                return;
            case Kind::Load: {
                state = GameState::PuzzleLoaded;
                lit = 0;
                const Puzzle& p = PuzzleCatalogue[static_cast<std::size_t>(e.arg)];
                for (int i = 0; i < kCellCount; ++i) {
                    const Pos q = posOf(i);
                    if (p.rows[q.row - 1][q.col - 1] == 'X') lit |= 1u << i;
                }
                recount();
                restartPending = true;
                ringTimer = 0;
                picture = kPuzzlePicture;
                return;
            }
            case Kind::ClockTick:
                if (state == GameState::Stopped) return;
                if (restartPending) elapsed = 0;
                restartPending = false;
                if (elapsed < long{kMaxMinutes} * 60 + 59) ++elapsed;
                shownMinutes = static_cast<int>(elapsed / 60);
                shownSeconds = static_cast<int>(elapsed % 60);
                return;
            case Kind::RingTick:
                if (e.arg != ringTimer) return;
                picture = frame(e.arg);
                ringTimer = e.arg % kRingSize + 1;
                return;
        }
    }

    bool offers(Kind k) const {
        if (k == Kind::NewGame) return state != GameState::Running;
        if (k == Kind::StopOk || k == Kind::StopCancel) return state == GameState::Running;
        return true;
    }
};

// What differs between the game and the model, or nothing.
std::optional<std::string> mismatch(const Game& g, const Model& m) {
    std::ostringstream why;
    if (stateOf(g) != m.state) why << "state; ";
    for (int i = 0; i < kCellCount; ++i) {
        const Cell want = (m.lit >> i) & 1 ? Cell::Lit : Cell::Unlit;
        if (g.cells.at(posOf(i)) != want) why << "cell " << i << "; ";
    }
    const int segments = m.barCleared ? 0 : segmentsFor(m.litAtRecount);
    if (g.progress.segments != segments) why << "segments " << g.progress.segments << "; ";
    if (g.progress.lit != m.litAtRecount) why << "lit count; ";
    if (g.clock.Stat != (m.restartPending ? "0" : "1")) why << "Stat; ";
    if (g.clock.minutesCaption != std::to_string(m.shownMinutes)) why << "Label1; ";
    if (g.clock.secondsCaption != std::to_string(m.shownSeconds)) why << "Label3; ";
    if (enabledCount(g.icon) > 1) why << "two ring timers; ";
    for (int n = 1; n <= kRingSize; ++n) {
        if (g.icon.enabled[static_cast<std::size_t>(n - 1)] != (m.ringTimer == n)) {
            why << "Timer" << n << "; ";
        }
    }
    if (g.icon.Picture1 != m.picture) why << "Picture1; ";
    const std::string s = why.str();
    if (s.empty()) return std::nullopt;
    return s;
}

struct Failure {
    std::size_t at;
    std::string why;
};

// Replays events on a fresh game; the events the model says are not on offer (a
// disabled menu entry) are skipped, as the window would never deliver them.
std::optional<Failure> replay(const std::vector<Event>& events) {
    Game g = startUp();
    Model m;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const Event& e = events[i];
        if (!m.offers(e.kind)) continue;
        switch (e.kind) {
            case Kind::Press:
                press(g, posOf(e.arg));
                break;
            case Kind::NewGame:
                newGame(g);
                break;
            case Kind::StopOk:
                stopGame(g);
                break;
            case Kind::StopCancel:
                break;
            case Kind::Load:
                LoadPuzzle(g, PuzzleCatalogue[static_cast<std::size_t>(e.arg)]);
                break;
            case Kind::ClockTick:
                clockTick(g);
                break;
            case Kind::RingTick:
                ringTick(g, e.arg);
                break;
        }
        m.apply(e);
        if (auto why = mismatch(g, m)) return Failure{i, *why};
    }
    return std::nullopt;
}

// Drops events one at a time for as long as the sequence still fails.
std::vector<Event> shrink(std::vector<Event> events) {
    events.resize(replay(events)->at + 1);
    for (bool smaller = true; smaller;) {
        smaller = false;
        for (std::size_t i = events.size(); i-- > 0;) {
            std::vector<Event> candidate = events;
            candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(i));
            if (auto f = replay(candidate)) {
                candidate.resize(f->at + 1);
                events = candidate;
                smaller = true;
            }
        }
    }
    return events;
}

std::vector<Event> randomEvents(std::mt19937_64& rng, std::size_t count) {
    // Weighted so that games run long enough for minutes to pass, and every command
    // still comes up often.
    std::discrete_distribution<int> kind({30, 2, 2, 2, 3, 40, 25});
    std::uniform_int_distribution<int> cell(0, kCellCount - 1), entry(0, 15), ring(1, kRingSize);
    std::vector<Event> events;
    events.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto k = static_cast<Kind>(kind(rng));
        int arg = 0;
        if (k == Kind::Press) arg = cell(rng);
        if (k == Kind::Load) arg = entry(rng);
        if (k == Kind::RingTick) arg = ring(rng);
        events.push_back({k, arg});
    }
    return events;
}

std::uint64_t envNumber(const char* name, std::uint64_t fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtoull(v, nullptr, 10) : fallback;
}

TEST(RandomPlay, TheGameFollowsItsRulesOverLongRandomSequences) {
    const std::uint64_t seed = envNumber("BRINDLE_SEED", 20061);
    const std::uint64_t total = envNumber("BRINDLE_EVENTS", 1'000'000);
    constexpr std::size_t kRun = 2'000;  // events from one start-up
    std::mt19937_64 rng(seed);
    std::uint64_t done = 0;
    for (int run = 0; done < total; ++run) {
        const std::vector<Event> events = randomEvents(rng, kRun);
        if (replay(events)) {
            const std::vector<Event> shortest = shrink(events);
            std::ostringstream out;
            out << "BRINDLE_SEED=" << seed << ", run " << run << ": " << replay(shortest)->why
                << "\nshortest failing sequence from start-up:";
            for (const Event& e : shortest)
                out << "\n  " << describe(e);
            FAIL() << out.str();
        }
        done += kRun;
    }
    RecordProperty("events", std::to_string(done));
    std::printf("checked %llu random events, seed %llu\n", static_cast<unsigned long long>(done),
                static_cast<unsigned long long>(seed));
}

TEST(RandomPlay, TheModelCatchesABrokenRule) {
    // A sequence whose rule the model knows: if the game and the model ever drifted
    // apart silently, this would not report a failure.
    std::vector<Event> events = {{Kind::Press, 12}, {Kind::ClockTick}, {Kind::StopOk}};
    EXPECT_FALSE(replay(events).has_value());
    Game g = startUp();
    Model m;
    press(g, {3, 3});
    m.apply({Kind::Press, 0});  // the model plays a different cell
    EXPECT_TRUE(mismatch(g, m).has_value());
}

}  // namespace
}  // namespace brindle
