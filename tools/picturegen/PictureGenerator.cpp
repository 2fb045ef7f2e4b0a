// Draws the setup's pictures and writes them as 16-colour Windows bitmaps and icons:
//   picturegen OUTPUT_FOLDER
// writes watermark.bmp (2 x 1); logo.bmp (150 x 43), logo-150.bmp (225 x 65) and
// logo-200.bmp (300 x 86), the welcome page's; header.bmp (452 x 59), header-150.bmp
// (678 x 89) and header-200.bmp (904 x 118), the interior pages' header band; all RLE4;
// computer.ico (32 square) and checkmark.ico (16, 24 and 32 square). Each picture is
// drawn anew at each scale from the same shapes, so it stays sharp at 150% and 200%. The
// output depends on nothing but this file, so the pictures in resources/pictures can be
// made again byte for byte.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ByteWriter.h"
#include "HostFiles.h"

namespace {

// The 16 colours of the classic VGA palette, as the bitmaps store them (B, G, R).
// clang-format off
enum Colour : uint8_t {
    Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
    Grey, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White,
};
const uint8_t Palette[16][3] = {
    {0, 0, 0}, {0, 0, 128}, {0, 128, 0}, {0, 128, 128}, {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},
    {0, 255, 255}, {255, 0, 0}, {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
};
// clang-format on

// A picture of palette indices, top row first, with a transparency mask (a `clear` picture
// starts all transparent). Shapes
// are given in the units of the picture at 100%; at another scale each edge lands on the
// nearest whole pixel (halves rounded up), so that 100% is pixel for pixel the drawing.
struct Picture {
    int percent;
    int width, height;
    std::vector<uint8_t> pixels;
    std::vector<bool> transparent;

    Picture(int w, int h, Colour ground, int scale = 100, bool clear = false)
        : percent(scale), width(Px(w)), height(Px(h)), pixels(width * height, ground),
          transparent(width * height, clear)
    {
    }
    int Px(int units) const { return (units * percent + 50) / 100; }
    double Scale() const { return percent / 100.0; }

    void Set(int x, int y, Colour c)
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        pixels[y * width + x] = c;
        transparent[y * width + x] = false;
    }
    // Pixels from (left, top) up to but not including (right, bottom).
    void FillPixels(int left, int top, int right, int bottom, Colour c)
    {
        for (int j = top; j < bottom; ++j)
            for (int i = left; i < right; ++i)
                Set(i, j, c);
    }
    void Fill(int x, int y, int w, int h, Colour c)
    {
        FillPixels(Px(x), Px(y), Px(x + w), Px(y + h), c);
    }
    // A frame one unit wide, drawn at 100% only.
    void Frame(int x, int y, int w, int h, Colour c)
    {
        Fill(x, y, w, 1, c);
        Fill(x, y + h - 1, w, 1, c);
        Fill(x, y, 1, h, c);
        Fill(x + w - 1, y, 1, h, c);
    }
    // Every pixel whose centre (x, y), in pixels, `inside` takes, in the colour it gives.
    template <typename Inside> void Paint(Inside inside)
    {
        for (int j = 0; j < height; ++j)
            for (int i = 0; i < width; ++i)
                if (Colour c; inside(i + 0.5, j + 0.5, c))
                    Set(i, j, c);
    }
    // A straight stroke with square ends from (x0, y0) to (x1, y1), `half` units to either
    // side and beyond either end.
    void Stroke(double x0, double y0, double x1, double y1, double half, Colour colour)
    {
        const double f = Scale(), length = std::hypot(x1 - x0, y1 - y0);
        const double dx = (x1 - x0) / length, dy = (y1 - y0) / length, reach = half * f;
        const double epsilon = 1e-9;  // a centre exactly on the edge is inside
        Paint([&](double x, double y, Colour& c) {
            const double u = x - x0 * f, v = y - y0 * f;
            const double along = u * dx + v * dy, across = u * dy - v * dx;
            c = colour;
            return along >= -reach - epsilon && along <= length * f + reach + epsilon &&
                   across * across <= reach * reach + epsilon;
        });
    }
};

// A 5 x 7 font for the letters of the maker's name.
struct Glyph {
    char letter;
    const char* rows[7];
};
const Glyph Font[] = {
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
};

// Each letter starts on a whole pixel and has the same cells as every other letter, so
// that at 150% all letters are alike.
void DrawText(Picture& p, int x, int y, int scale, const char* text, Colour c)
{
    // The edge `n` cells of the letter on from `from`, in pixels.
    const auto at = [&p, scale](int from, int n) { return p.Px(from) + p.Px(n * scale); };
    for (; *text; ++text, x += 6 * scale)
        for (const Glyph& g : Font)
            if (g.letter == *text)
                for (int row = 0; row < 7; ++row)
                    for (int col = 0; col < 5; ++col)
                        if (g.rows[row][col] == '#')
                            p.FillPixels(at(x, col), at(y, row), at(x, col + 1), at(y, row + 1), c);
}

// The maker's mark: a ring three units thick with a compass needle, size units across.
// Both are tested at each pixel's centre, so they are as round and as pointed as the
// scale allows. As at 100% ever since, the ring is centred on a pixel corner and the
// needle runs down the middle of the pixel column right of it, its half-width shrinking
// by a quarter of a unit per unit from its middle.
void DrawMark(Picture& p, int x, int y, int size)
{
    const int r = size / 2, needle = r - 4;
    const double f = p.Scale(), cx = (x + r) * f, cy = (y + r) * f, axis = (x + r + 0.5) * f;
    p.Paint([&](double i, double j, Colour& c) {
        const double d = (i - cx) * (i - cx) + (j - cy) * (j - cy);
        c = Navy;
        return d <= r * r * f * f && d >= (r - 3) * (r - 3) * f * f;
    });
    p.Paint([&](double i, double j, Colour& c) {
        const double fromMiddle = std::fabs(j - cy) / f;
        c = j < cy ? Red : Grey;  // north half red, south half grey
        return fromMiddle < needle && std::fabs(i - axis) <= (needle + 0.5 - fromMiddle) / 4 * f;
    });
}

// The mark beside the name, markSize + 55 * scale units wide.
void DrawLogo(Picture& p, int x, int y, int markSize, int scale)
{
    DrawMark(p, x, y, markSize);
    DrawText(p, x + markSize + 2 * scale, y + (markSize - 7 * scale) / 2, scale, "ORBELWICK", Navy);
}

// ---- Writing --------------------------------------------------------------------

using Bytes = ByteWriter;

constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t PaletteSize = 16 * 4;
constexpr uint32_t BiRgb = 0, BiRle4 = 2;

void InfoHeader(Bytes& out, int width, int height, uint32_t compression, uint32_t imageSize)
{
    out.U32(InfoHeaderSize), out.U32(width), out.U32(height);
    out.U16(1), out.U16(4);  // planes, bits per pixel
    out.U32(compression), out.U32(imageSize);
    out.U32(0), out.U32(0);   // resolution: none stated
    out.U32(16), out.U32(0);  // colours used, all of them important
    for (const auto& c : Palette) {
        out.insert(out.end(), c, c + 3);
        out.push_back(0);
    }
}

// Uncompressed rows of `bits` bits a pixel, the leftmost pixel in a byte's high bits,
// bottom row first, each padded to four bytes; `values` holds each pixel's, top row first.
template <typename Values> Bytes Rows(const Picture& p, int bits, const Values& values)
{
    Bytes rows;
    for (int y = p.height - 1; y >= 0; --y) {
        Bytes row((p.width * bits + 31) / 32 * 4, 0);
        for (int x = 0; x < p.width; ++x)
            row[x * bits / 8] |= values[y * p.width + x] << (8 - bits - x * bits % 8);
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

// RLE4: runs of one colour as (count, colour colour); end of line and end of bitmap marks.
Bytes Rle4Rows(const Picture& p)
{
    Bytes rows;
    for (int y = p.height - 1; y >= 0; --y) {
        const uint8_t* line = &p.pixels[y * p.width];
        for (int x = 0; x < p.width;) {
            int run = 1;
            while (x + run < p.width && run < 255 && line[x + run] == line[x])
                ++run;
            rows.push_back(static_cast<uint8_t>(run));
            rows.push_back(static_cast<uint8_t>(line[x] << 4 | line[x]));
            x += run;
        }
        rows.push_back(0);
        rows.push_back(y == 0 ? 1 : 0);  // end of bitmap after the top row, else end of line
    }
    return rows;
}

Bytes Bitmap(const Picture& p, bool rle)
{
    Bytes pixels = rle ? Rle4Rows(p) : Rows(p, 4, p.pixels);
    const uint32_t offset = 14 + InfoHeaderSize + PaletteSize;
    Bytes out = {'B', 'M'};
    out.U32(offset + pixels.size()), out.U32(0), out.U32(offset);
    InfoHeader(out, p.width, p.height, rle ? BiRle4 : BiRgb, pixels.size());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// An icon file of one image per picture, smallest first: the directory, then the images.
// Each image is its header, its colour rows, then the 1-bit mask in which 1 lets the ground
// through.
Bytes Icon(const std::vector<Picture>& pictures)
{
    constexpr uint32_t HeaderSize = 6, EntrySize = 16;
    Bytes out, images;
    out.U16(0), out.U16(1), out.U16(pictures.size());  // an icon file of so many images
    for (const Picture& p : pictures) {
        const Bytes colour = Rows(p, 4, p.pixels), mask = Rows(p, 1, p.transparent);
        const uint32_t rowsSize = colour.size() + mask.size();
        // Width, height, colours, a reserved byte; planes, bits per pixel; size and place.
        out.insert(out.end(), {uint8_t(p.width), uint8_t(p.height), 16, 0});
        out.U16(1), out.U16(4), out.U32(InfoHeaderSize + PaletteSize + rowsSize);
        out.U32(HeaderSize + EntrySize * pictures.size() + images.size());
        InfoHeader(images, p.width, 2 * p.height, BiRgb, rowsSize);
        images.insert(images.end(), colour.begin(), colour.end());
        images.insert(images.end(), mask.begin(), mask.end());
    }
    out.insert(out.end(), images.begin(), images.end());
    return out;
}

// ---- The pictures -----------------------------------------------------------------

Picture Logo(int percent)
{
    Picture p(150, 43, White, percent);
    DrawLogo(p, 2, 5, 33, 2);
    return p;
}

// The interior pages' header band. The sheet draws it from the band's top-left corner,
// fills the rest with its top-left colour and writes the page's title and subtitle over
// its left part; so that part is plain white, wide enough for the subtitles at 125% of
// the scale drawn (a screen at 120 DPI still takes the 100% band), and the logo, with the
// name in letters half as large as the welcome page's, keeps to the right end.
Picture HeaderBand(int percent)
{
    constexpr int Width = 452, Height = 59, MarkSize = 33, LetterScale = 1;
    constexpr int LogoWidth = MarkSize + 55 * LetterScale;
    constexpr int RightMargin = 6;
    Picture p(Width, Height, White, percent);
    DrawLogo(p, Width - RightMargin - LogoWidth, (Height - MarkSize) / 2, MarkSize, LetterScale);
    return p;
}

// A desktop computer beside a software box.
Picture Computer(int percent)
{
    Picture p(32, 32, Black, percent, true);
    p.Fill(1, 4, 20, 16, Silver);  // monitor
    p.Frame(1, 4, 20, 16, Black);
    p.Fill(4, 7, 14, 10, Navy);  // screen
    p.Fill(6, 9, 8, 1, Aqua);
    p.Fill(6, 12, 10, 1, Aqua);
    p.Fill(8, 20, 6, 3, Grey);     // stand
    p.Fill(2, 23, 18, 5, Silver);  // base unit
    p.Frame(2, 23, 18, 5, Black);
    p.Fill(14, 25, 3, 1, Lime);      // power light
    p.Fill(21, 11, 10, 19, Yellow);  // box
    p.Frame(21, 11, 10, 19, Black);
    p.Fill(22, 16, 8, 3, Red);   // stripe
    p.Fill(25, 22, 3, 4, Navy);  // label
    return p;
}

// Two strokes as wide as the diagonal of a unit square: at 100%, two-pixel squares stepped
// down to the tip and up from it.
Picture CheckMark(int percent)
{
    const double half = std::sqrt(0.5);
    Picture p(16, 16, Black, percent, true);
    p.Stroke(3, 8, 6, 11, half, Black);   // the short stroke down to the tip
    p.Stroke(7, 11, 14, 4, half, Black);  // the long stroke up from the tip
    return p;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = WriteBytes(folder + "/watermark.bmp", Bitmap(Picture(2, 1, White), false)) &&
              WriteBytes(folder + "/computer.ico", Icon({Computer(100)})) &&
              WriteBytes(folder + "/checkmark.ico",
                         Icon({CheckMark(100), CheckMark(150), CheckMark(200)}));
    // The 100% pictures keep the names they always had.
    for (int percent : {100, 150, 200}) {
        const std::string suffix = percent == 100 ? "" : "-" + std::to_string(percent);
        ok = ok && WriteBytes(folder + "/logo" + suffix + ".bmp", Bitmap(Logo(percent), true)) &&
             WriteBytes(folder + "/header" + suffix + ".bmp", Bitmap(HeaderBand(percent), true));
    }
    if (!ok)
        std::fprintf(stderr, "picturegen: cannot write into %s\n", folder.c_str());
    return ok ? 0 : 1;
}
