#pragma once
// Drop-frame labels. SMPTE ST 12-1 counting at the NTSC rates (30000/1001 and 60000/1001 frames
// a second) skips frame labels at the start of every minute except each tenth, so that the labels
// keep pace with the clock.

#include <cstdint>

#include "model/digit_string.h"

// The whole rate n of an NTSC rate, n x 1000/1001 frames a second read to the hundredth as a
// person writes it (23.976, 23.98 and 23.9760 alike; 29.97, 47.952, 59.94, 95.904), n from 1 to
// 99; 0 for any other rate. Timecode at such a rate counts n labels a second.
int NtscWholeRate(double fps);

// Labels skipped per minute at a drop-frame rate: 2 (00 and 01) at 29.97, 4 (00 to 03) at 59.94,
// the NTSC rates of 30 and 60; 0 at any other rate, for which no standard says which labels to
// skip.
int DroppedLabelsAtRate(double fps);

// The labels a mode skips per minute: those of its rate in a drop-frame mode, else 0.
int DroppedLabelsPerMinute(const ModeTable& modes, int mode);

// The place values of drop-frame counting: a minute holds 60 seconds of the nominal rate less the
// skipped labels, ten minutes nine such minutes and one whole one, an hour six times that.
void DropFramePlaceValues(std::int32_t nominalRate, int droppedLabels, PlaceValues& weights);

// True for a label that the mode skips: minute units not 0, seconds 00, frames below the count
// of labels dropped.
bool IsDroppedLabel(const ModeTable& modes, const DigitString& label, int mode);
bool IsSkippedLabel(const DigitString& label, int droppedLabels);

// Auto DF Correct's moves of a skipped label mm:00;ff, by as many frames as the mode skips: back
// to the last labels of the previous minute, which the place values read as the same count
// ((mm-1):59;28 at 29.97, (mm-1):59;56 at 59.94), or on to the first labels that exist in that
// minute (mm:00;02, mm:00;04).
void MoveToPreviousMinute(const ModeTable& modes, DigitString& label, int mode);
void MoveToLabelsThatExist(const ModeTable& modes, DigitString& label, int mode);
