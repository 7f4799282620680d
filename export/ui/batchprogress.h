#pragma once

#include "export/batchexport.h"

class QWidget;

// Runs a batch on threads of its own while the window thread waits for it as it waits for a
// modal box: handling events all the while, so that every window repaints and answers. A batch
// that runs longer than about half a second shows an application-modal progress dialog on
// window, with the count written so far and a Cancel button. Cancel, the window's unloading
// (which cancels its dialogs) and the application's end stop the batch. Returns once the
// batch's threads have ended.
BatchOutcome runBatch(const BatchRequest &request, SharedGenerator &generator, QWidget *window);
