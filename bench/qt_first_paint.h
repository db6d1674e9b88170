// SPDX-License-Identifier: MIT
// Ends a Qt start-up probe right after the first paint of its first window: once the
// window has been painted and flushed, a round trip to the X server makes sure the
// server holds the picture, the moment is reported to the benchmark and the event
// loop quits. An application-wide event filter watches for it, so the probe needs no
// access to the window and the window itself is unchanged. Call right after the
// QApplication is made (that marks Phase::Application) and before the window is shown.
#pragma once

namespace korvanta::bench {

void QuitAfterFirstPaint();

} // namespace korvanta::bench
