#include "survey_model_impl.h"

#if SURVEY_HAS_X87_EXTENDED
template class BasicSurveyModel<survey::X87Extended>;
#endif
