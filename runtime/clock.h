#pragma once

// The second of the minute of the current local time, 0 to 59. Cheap enough to call once per
// drawn number, from any thread.
int secondOfMinute();
