#include "application.h"

namespace corvale {

bool Application::saveSettings() {
    return corvale::saveSettings(settings, game.difficulty, game.highScore, game.statisticsSnapshot());
}

}  // namespace corvale
