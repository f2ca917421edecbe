#pragma once

// The numerals of the dial face: font and offsets by the size of the face.
namespace dial {

// Offsets are twips up and to the left of the mark a numeral replaces.
struct FaceBand
{
    double above;            // the band holds faces larger than this
    const char *fontName;
    bool bold;
    double points;
    double xOffsetTwoDigits; // "10", "11", "12"
    double xOffsetOneDigit;
    double yOffset;
};

// The band of a face of faceSize twips (2 x radius + 100). A face of
// exactly 1350 twips lies between the two smallest bands and takes the
// small-font band D, since band C holds only faces above 1350.
const FaceBand &faceBandFor(double faceSize);

} // namespace dial
