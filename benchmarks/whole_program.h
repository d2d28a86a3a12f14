#ifndef WOBBLER_WHOLE_PROGRAM_H
#define WOBBLER_WHOLE_PROGRAM_H

struct WholeProgramFigures
{
    double titleCoreShare = -1;  // 1.0 = one core busy all the time
    double playCoreShare = -1;
    long residentAtPlayStartKilobytes = -1;
    long residentAtPlayMiddleKilobytes = -1;
    long residentAtPlayEndKilobytes = -1;
    long peakResidentKilobytes = -1;
    bool stillPlaying = false;
};

// Runs the real game: rests on the title screen, then plays, each for the
// given seconds.
bool MeasureWholeProgram(int seconds, WholeProgramFigures& figures);

#endif
