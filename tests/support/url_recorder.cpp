#include "url_recorder.h"
