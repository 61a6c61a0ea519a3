#pragma once

namespace radio {

// Page units of one printed page, in twips (1440 to the inch): U is a 66th of the printable
// width, V a 45th of its height. Every position on a sheet is a multiple of them.
struct PageGeometry {
    int u = 0;
    int v = 0;
    friend bool operator==(const PageGeometry&, const PageGeometry&) = default;
};

// U and V from the printable rectangle (w x h device pixels) and the printer's pixels per inch,
// integer division throughout. A device that reports no size or resolution gives 0 x 0.
PageGeometry ComputePageGeometry(int w, int h, int px, int py);

// The two fonts of a page: large for titles, small for bodies and the footer.
enum class FontRole { Large, Small };

// Character height and average character width of a font, in twips.
struct FontSize {
    int height = 0;
    int averageWidth = 0;
    friend bool operator==(const FontSize&, const FontSize&) = default;
};
FontSize FontSizeFor(FontRole role, const PageGeometry& geometry);

// What a page is laid out with: its units and the line heights (text height plus external
// leading) the renderer measured for the two fonts, in twips.
struct PageMetrics {
    PageGeometry geometry;
    int largeLine = 0;  // L_A
    int smallLine = 0;  // L
};

}  // namespace radio
