// Draws the setup's pictures and writes them as 16-colour Windows bitmaps and icons:
//   picturegen OUTPUT_FOLDER
// writes watermark.bmp (2 x 1), header.bmp (452 x 59, RLE4), logo.bmp (150 x 43, RLE4),
// computer.ico (32 x 32) and checkmark.ico (16 x 16). The output depends on nothing but
// this file, so the pictures in resources/pictures can be made again byte for byte.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The 16 colours of the classic VGA palette, as the bitmaps store them (B, G, R).
enum Colour : uint8_t {
    Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
    Grey, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White,
};
const uint8_t Palette[16][3] = {
    {0, 0, 0}, {0, 0, 128}, {0, 128, 0}, {0, 128, 128}, {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},
    {0, 255, 255}, {255, 0, 0}, {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
};

// A picture of palette indices, top row first, with an optional transparency mask.
struct Picture {
    int width, height;
    std::vector<uint8_t> pixels;
    std::vector<bool> transparent;

    Picture(int w, int h, Colour ground) : width(w), height(h), pixels(w * h, ground),
                                           transparent(w * h, false) {}
    void Set(int x, int y, Colour c)
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        pixels[y * width + x] = c;
        transparent[y * width + x] = false;
    }
    void Fill(int x, int y, int w, int h, Colour c)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                Set(i, j, c);
    }
    void Frame(int x, int y, int w, int h, Colour c)
    {
        Fill(x, y, w, 1, c);
        Fill(x, y + h - 1, w, 1, c);
        Fill(x, y, 1, h, c);
        Fill(x + w - 1, y, 1, h, c);
    }
    void MakeTransparent() { transparent.assign(width * height, true); }
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

void DrawText(Picture& p, int x, int y, int scale, const char* text, Colour c)
{
    for (; *text; ++text, x += 6 * scale)
        for (const Glyph& g : Font)
            if (g.letter == *text)
                for (int row = 0; row < 7; ++row)
                    for (int col = 0; col < 5; ++col)
                        if (g.rows[row][col] == '#')
                            p.Fill(x + col * scale, y + row * scale, scale, scale, c);
}

// The maker's mark: a ring with a compass needle, size pixels across.
void DrawMark(Picture& p, int x, int y, int size)
{
    const int r = size / 2, cx = x + r, cy = y + r;
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) {
            int dx = 2 * (x + i - cx) + 1, dy = 2 * (y + j - cy) + 1, d = dx * dx + dy * dy;
            if (d <= 4 * r * r && d >= 4 * (r - 3) * (r - 3))
                p.Set(x + i, y + j, Navy);
        }
    for (int k = 0; k < r - 4; ++k) {
        int half = (r - 4 - k) / 4;
        p.Fill(cx - half, cy - k - 1, 2 * half + 1, 1, Red);    // north half
        p.Fill(cx - half, cy + k, 2 * half + 1, 1, Grey);       // south half
    }
}

void DrawLogo(Picture& p, int x, int y, int markSize, int scale)
{
    DrawMark(p, x, y, markSize);
    DrawText(p, x + markSize + 2 * scale, y + (markSize - 7 * scale) / 2, scale, "ORBELWICK",
             Navy);
}

// ---- Writing --------------------------------------------------------------------

struct Bytes : std::vector<uint8_t> {
    using std::vector<uint8_t>::vector;
    void U16(unsigned v) { push_back(v & 0xFF); push_back((v >> 8) & 0xFF); }
    void U32(uint32_t v) { U16(v & 0xFFFF); U16(v >> 16); }
};

constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t PaletteSize = 16 * 4;
constexpr uint32_t BiRgb = 0, BiRle4 = 2;

void InfoHeader(Bytes& out, int width, int height, uint32_t compression, uint32_t imageSize)
{
    out.U32(InfoHeaderSize);
    out.U32(width);
    out.U32(height);
    out.U16(1);   // planes
    out.U16(4);   // bits per pixel
    out.U32(compression);
    out.U32(imageSize);
    out.U32(0);   // resolution: none stated
    out.U32(0);
    out.U32(16);  // colours used
    out.U32(0);
    for (const auto& c : Palette) {
        out.insert(out.end(), c, c + 3);
        out.push_back(0);
    }
}

int RowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// Uncompressed 4-bit rows, bottom row first, each padded to four bytes.
Bytes PlainRows(const Picture& p)
{
    Bytes rows;
    for (int y = p.height - 1; y >= 0; --y) {
        Bytes row(RowBytes(p.width, 4), 0);
        for (int x = 0; x < p.width; ++x)
            row[x / 2] |= p.pixels[y * p.width + x] << (x % 2 ? 0 : 4);
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
    Bytes pixels = rle ? Rle4Rows(p) : PlainRows(p);
    const uint32_t offset = 14 + InfoHeaderSize + PaletteSize;
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    out.U32(offset + pixels.size());
    out.U32(0);
    out.U32(offset);
    InfoHeader(out, p.width, p.height, rle ? BiRle4 : BiRgb, pixels.size());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// A one-image icon: colour rows, then the 1-bit mask in which 1 lets the ground through.
Bytes Icon(const Picture& p)
{
    Bytes colour = PlainRows(p);
    Bytes mask;
    for (int y = p.height - 1; y >= 0; --y) {
        Bytes row(RowBytes(p.width, 1), 0);
        for (int x = 0; x < p.width; ++x)
            if (p.transparent[y * p.width + x])
                row[x / 8] |= 0x80 >> (x % 8);
        mask.insert(mask.end(), row.begin(), row.end());
    }
    Bytes image;
    InfoHeader(image, p.width, 2 * p.height, BiRgb, colour.size() + mask.size());
    image.insert(image.end(), colour.begin(), colour.end());
    image.insert(image.end(), mask.begin(), mask.end());

    Bytes out;
    out.U16(0);
    out.U16(1);  // an icon
    out.U16(1);  // one image
    out.push_back(static_cast<uint8_t>(p.width));
    out.push_back(static_cast<uint8_t>(p.height));
    out.push_back(16);  // colours
    out.push_back(0);
    out.U16(1);  // planes
    out.U16(4);  // bits per pixel
    out.U32(image.size());
    out.U32(6 + 16);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

// ---- The pictures -----------------------------------------------------------------

Picture Watermark() { return Picture(2, 1, White); }

Picture Header()
{
    Picture p(452, 59, White);
    DrawLogo(p, 452 - 8 - (41 + 6 + 9 * 18), 9, 41, 3);
    return p;
}

Picture Logo()
{
    Picture p(150, 43, White);
    DrawLogo(p, 2, 5, 33, 2);
    return p;
}

// A desktop computer beside a software box.
Picture Computer()
{
    Picture p(32, 32, Black);
    p.MakeTransparent();
    p.Fill(1, 4, 20, 16, Silver);    // monitor
    p.Frame(1, 4, 20, 16, Black);
    p.Fill(4, 7, 14, 10, Navy);      // screen
    p.Fill(6, 9, 8, 1, Aqua);
    p.Fill(6, 12, 10, 1, Aqua);
    p.Fill(8, 20, 6, 3, Grey);       // stand
    p.Fill(2, 23, 18, 5, Silver);    // base unit
    p.Frame(2, 23, 18, 5, Black);
    p.Fill(14, 25, 3, 1, Lime);      // power light
    p.Fill(21, 11, 10, 19, Yellow);  // box
    p.Frame(21, 11, 10, 19, Black);
    p.Fill(22, 16, 8, 3, Red);       // stripe
    p.Fill(25, 22, 3, 4, Navy);      // label
    return p;
}

Picture CheckMark()
{
    Picture p(16, 16, Black);
    p.MakeTransparent();
    for (int i = 0; i < 4; ++i)      // the short stroke down to the tip
        p.Fill(2 + i, 7 + i, 2, 2, Black);
    for (int i = 0; i < 8; ++i)      // the long stroke up from the tip
        p.Fill(6 + i, 10 - i, 2, 2, Black);
    return p;
}

bool Write(const std::string& path, const Bytes& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = Write(folder + "/watermark.bmp", Bitmap(Watermark(), false)) &&
              Write(folder + "/header.bmp", Bitmap(Header(), true)) &&
              Write(folder + "/logo.bmp", Bitmap(Logo(), true)) &&
              Write(folder + "/computer.ico", Icon(Computer())) &&
              Write(folder + "/checkmark.ico", Icon(CheckMark()));
    if (!ok)
        std::fprintf(stderr, "picturegen: cannot write into %s\n", folder.c_str());
    return ok ? 0 : 1;
}
