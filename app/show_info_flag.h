#pragma once

// Set by normal mode when --show_info is given; the submission flow then
// shows a network failure's own text to the player.
bool& ShowInfoFlag();
