#pragma once
// Non-owning views of the program's windows, one of each. The application's owner
// (WindowOwner) creates the windows in their fixed order and fills these pointers
// as it goes, so a window created early reaches the later ones through the same
// WindowSet once they exist; a pointer still null means that window is not there.

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
