#pragma once

// How long anything may take on a loaded machine before a wait for it fails: a window shown or
// active, a batch's threads ended, a message come. (Qt Test's own bound, 5 s, is too short under
// ThreadSanitizer beside two busy processes.)
inline constexpr int kLoadedMs = 60000;
