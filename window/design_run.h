#pragma once

// The design run, as the window's layout names it. It lives in design/, free
// of Qt and shared by every front end; this header gathers what it declares.
#include "design/design_front_end.h"
#include "design/design_inputs.h"
#include "design/design_run.h"
#include "design/outline.h"
#include "design/profile_tables.h"
#include "design/result_texts.h"
#include "design/run_texts.h"
