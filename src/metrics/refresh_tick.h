#pragma once
// The pieces of the refresh tick that need no window.

#include <QString>

class TGauge;

// The spinner: | / - \ and round again; anything else is followed by "|".
QString Next_Spinner_Text(const QString& text);

// A bar gauge's fill colour from its value: above 95 red, 85 to 95 yellow,
// below 85 lime green.
void Set_Usage_Colour(TGauge& gauge);
