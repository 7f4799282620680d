#pragma once

// The second of the minute of the current local time, 0 to 59. Cheap enough to call once per
// drawn number: the local time is worked out again only when the clock has moved on.
int secondOfMinute();
