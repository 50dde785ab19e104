#pragma once
// Non-owning views of the program's windows, one of each, and of the survey they share.
// The application's owner (WindowOwner) creates the windows in their fixed order and fills
// these pointers as it goes; a pointer still null means that window is not there yet. The
// windows themselves never see the set: each is given what it uses.

class TZast;
class TTandemo;
class TInfo;
class TResults;
class TAboutBox;
class TSpecHelp;
class TAttract;
class SurveyModel;

struct WindowSet {
    SurveyModel* model = nullptr;
    TZast* zast = nullptr;
    TTandemo* tandemo = nullptr;
    TInfo* info = nullptr;
    TResults* results = nullptr;
    TAboutBox* aboutBox = nullptr;
    TSpecHelp* specHelp = nullptr;
    TAttract* attract = nullptr;
};
