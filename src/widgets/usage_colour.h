#pragma once
// The fill colour of the drive and CPU bar gauges, from the value they show.

class TGauge;

// Above 95 red, 85 to 95 yellow, below 85 lime green.
void Set_Usage_Colour(TGauge& gauge);
