#include "dialog/submission_counter.h"

SubmissionCounterStores ProgramCounterStores() { return {}; }
