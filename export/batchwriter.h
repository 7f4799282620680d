#pragma once

#include "export/batchoutcome.h"
#include "export/batchrequest.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>

class SharedGenerator;

// A batch as it runs: its numbers drawn, written and synced, from the first to the file's place.

// The batch draws, formats and writes its numbers in blocks of this many lines, and holds the
// generator for the draws of one block only (the main window's Generate waits a fraction of a
// millisecond). Measured on 10^7 numbers from 0 to 10^6: with 65536 the batch took 0.9 of the
// time it took with 16384, and 0.93 of that with 32768, its two threads handing their turns over
// less often.
inline constexpr std::size_t kBlockLines = 65536;

// How another thread follows a running batch and stops it. The callbacks run on the batch's threads,
// one at a time.
struct BatchControl
{
    std::stop_token stop;
    // Told the lines written so far, after every block, the last one included.
    std::function<void(std::uint64_t)> progressed;
    // Told once every line is written, as the file goes to the disk.
    std::function<void()> saving;
};

// Draws request.lines numbers from request.range, one line each with CR LF, into request.path.
// The lines go to a temporary file that replaces the path only once the whole batch is on the
// disk: a batch that fails or is stopped removes it and leaves an earlier file as it was. The
// calling thread and one more thread, a batch thread that has ended when this returns, share the
// drawing, formatting and writing. A write beyond a file-size limit fails with its reason only
// where SIGXFSZ is ignored, as the program ignores it.
BatchOutcome writeBatch(const BatchRequest &request, SharedGenerator &generator, const BatchControl &control = {});

// Makes the calling thread a batch's: named "zandrel-batch" as debuggers and the system's process
// lists show it, and behind the windows and the rest of the desktop when it wants the processor.
void becomeBatchThread();
