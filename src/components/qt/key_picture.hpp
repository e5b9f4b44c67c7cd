// The program's picture: a key drawn as a branching tree, 334 x 227 pixels.
#pragma once

#include <QPixmap>

namespace sarvelo {

QPixmap keyPicture();

}  // namespace sarvelo
