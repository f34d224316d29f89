#pragma once

#include <mpv/client.h>

#include <QImage>

// The picture of mpv's screenshot-raw result as an image that owns its pixels (the result's
// pixels go away with its node). A null image when the node is not a bgr0 picture that holds
// all the bytes its size promises.
QImage imageFromScreenshot(const mpv_node& picture);
