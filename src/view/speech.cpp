#include "view/speech.h"

#include <string_view>

#include "layout/texts.h"

namespace brindle::view {

namespace {

// The text with %1 and %2 replaced, as the texts write their places.
std::string filled(std::string_view text, const std::string& first, const std::string& second) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[++i] == '1' ? first : second;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string cellName(Pos p) {
    return filled(text::kCellName, std::to_string(p.row), std::to_string(p.col));
}

bool cellPressed(const Game& g, Pos p) {
    return g.cells.isLit(p);
}

int barValue(const Game& g) {
    return g.progress.segments;
}

std::string clockValue(const Game& g) {
    return filled(text::kClockValue, g.clock.minutesCaption, g.clock.secondsCaption);
}

std::string stateText(const Game& g) {
    const auto state = stateOf(g);
    if (!state) return {};
    switch (*state) {
        case GameState::Running:
            return text::kRunning;
        case GameState::Stopped:
            return text::kStopped;
        case GameState::PuzzleLoaded:
            return text::kPuzzle;
    }
    return {};
}

}  // namespace brindle::view
