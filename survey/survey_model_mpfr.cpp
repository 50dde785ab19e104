#include "mpfr_extended.h"
#include "survey_model_impl.h"

template class BasicSurveyModel<survey::MpfrExtended>;
