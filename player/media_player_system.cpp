// The player on the program's own media layer, in a file of its own so that
// code which never builds such a player (the tests) need not link that layer.
#include "player/media_player.h"

TMediaPlayer::TMediaPlayer(QWidget* parent) : TMediaPlayer(systemMciPort(), parent) {}
