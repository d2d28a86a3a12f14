#include "visuals/visuals.h"

#include <math.h>
#include <string.h>

#include <algorithm>
#include <new>

// What a pixel drawn with its sample point in a texel can show. Linear
// filtering mixes the texels within one texel of the sample point, and wraps
// at the picture's edges (the textures repeat), so a texel shows nothing
// when its whole wrapped 3 x 3 neighbourhood is fully transparent, and shows
// opaquely when that neighbourhood is fully opaque.
const uint8_t SHOWS_NOTHING = 0;
const uint8_t SHOWS_BLENDED = 1;
const uint8_t SHOWS_OPAQUE = 2;

const uint8_t ALPHA_OPAQUE = 255;
const int ALPHA_BYTE = 3;  // RGBA bytes, as uploaded

// What a piece weighs against the fill it spares: a blended texel costs
// more than an opaque one (the driver reads what is below), a piece costs a
// draw. Too many pieces for the record make every piece dearer.
const int OPAQUE_TEXEL_COST = 2;
const int BLENDED_TEXEL_COST = 3;
const long FIRST_PIECE_COST = 256 * OPAQUE_TEXEL_COST;
const int PIECE_COST_DOUBLINGS = 16;
const int JOINING_PASSES = 4;

// Neighbourhood flags of one texel.
const uint8_t SOME_ALPHA = 1;
const uint8_t ALL_OPAQUE = 2;

static uint8_t TexelFlags(uint8_t alpha)
{
    return (alpha != 0 ? SOME_ALPHA : 0) | (alpha == ALPHA_OPAQUE ? ALL_OPAQUE : 0);
}

// Flags of the wrapped three neighbours along one line: any alpha, all opaque.
static uint8_t CombineThree(uint8_t before, uint8_t here, uint8_t after)
{
    return ((before | here | after) & SOME_ALPHA) | (before & here & after & ALL_OPAQUE);
}

// The class of every texel of the picture, row by row.
static void ClassifyTexels(const SDL_Surface* picture, uint8_t* classes, uint8_t* across)
{
    const int width = picture->w;
    const int height = picture->h;
    for (int y = 0; y < height; y++)
    {
        const uint8_t* row = (const uint8_t*)picture->pixels + y * picture->pitch;
        for (int x = 0; x < width; x++)
        {
            const int before = (x + width - 1) % width;
            const int after = (x + 1) % width;
            across[y * width + x] = CombineThree(TexelFlags(row[4 * before + ALPHA_BYTE]),
                                                 TexelFlags(row[4 * x + ALPHA_BYTE]),
                                                 TexelFlags(row[4 * after + ALPHA_BYTE]));
        }
    }
    for (int y = 0; y < height; y++)
    {
        const uint8_t* above = across + ((y + height - 1) % height) * width;
        const uint8_t* here = across + y * width;
        const uint8_t* below = across + ((y + 1) % height) * width;
        for (int x = 0; x < width; x++)
        {
            const uint8_t flags = CombineThree(above[x], here[x], below[x]);
            classes[y * width + x] = (flags & ALL_OPAQUE)   ? SHOWS_OPAQUE
                                     : (flags & SOME_ALPHA) ? SHOWS_BLENDED
                                                            : SHOWS_NOTHING;
        }
    }
}

static uint8_t CombineClasses(uint8_t one, uint8_t other)
{
    return one == other ? one : SHOWS_BLENDED;
}

static int TexelCost(uint8_t shows)
{
    return shows == SHOWS_OPAQUE ? OPAQUE_TEXEL_COST : BLENDED_TEXEL_COST;
}

// The runs of a band of rows: columns that show, in pieces of one class;
// neighbours are joined (across a gap, as blended) where one piece is cheaper.
struct Run
{
    int Left;
    int Right;
    uint8_t Shows;
};

static int FindRuns(const uint8_t* columns, int width, int height, long pieceCost, Run* runs, long* cost)
{
    int count = 0;
    *cost = 0;
    for (int x = 0; x < width; x++)
    {
        if (columns[x] == SHOWS_NOTHING) continue;
        const Run next = {x, x + 1, columns[x]};
        if (count > 0)
        {
            Run& last = runs[count - 1];
            const uint8_t joinedShows =
                (last.Right == x && last.Shows == next.Shows) ? next.Shows : SHOWS_BLENDED;
            const long apart = (long)(last.Right - last.Left) * height * TexelCost(last.Shows) + pieceCost +
                               (long)height * TexelCost(next.Shows);
            const long joined = (long)(x + 1 - last.Left) * height * TexelCost(joinedShows);
            if (joined <= apart)
            {
                last.Right = x + 1;
                last.Shows = joinedShows;
                continue;
            }
        }
        runs[count++] = next;
    }
    for (int index = 0; index < count; index++)
        *cost += (long)(runs[index].Right - runs[index].Left) * height * TexelCost(runs[index].Shows) + pieceCost;
    return count;
}

// Scratch for cutting one picture into pieces. A band of rows keeps its
// classes (per column) in the row of Bands where it starts.
struct PieceCutting
{
    int Width;
    int Height;
    const uint8_t* Classes;
    uint8_t* Bands;
    int* BandTops;    // band k spans rows BandTops[k] to BandTops[k + 1]
    uint8_t* Joined;  // two neighbouring bands as one
    Run* Runs;        // a band's runs, and room for a trial's
};

// Rows alike make one band; returns the number of bands.
static int GroupRowsAlike(const PieceCutting& cutting)
{
    const int width = cutting.Width;
    memcpy(cutting.Bands, cutting.Classes, (size_t)width * cutting.Height);
    int bands = 0;
    for (int row = 0; row < cutting.Height; row++)
    {
        if (row == 0 || memcmp(cutting.Classes + row * width, cutting.Classes + (row - 1) * width, width) != 0)
            cutting.BandTops[bands++] = row;
    }
    cutting.BandTops[bands] = cutting.Height;
    return bands;
}

static long BandCost(const PieceCutting& cutting, const uint8_t* columns, int height, long pieceCost)
{
    long cost = 0;
    FindRuns(columns, cutting.Width, height, pieceCost, cutting.Runs + cutting.Width, &cost);
    return cost;
}

// One pass down the bands, joining each to the band above where one band
// is cheaper than two; false when none was joined.
static bool JoinNeighbouringBands(const PieceCutting& cutting, long pieceCost, int& bands)
{
    const int width = cutting.Width;
    int* tops = cutting.BandTops;
    bool joinedAny = false;
    int kept = 0;
    for (int band = 1; band < bands; band++)
    {
        uint8_t* above = cutting.Bands + tops[kept] * width;
        const uint8_t* below = cutting.Bands + tops[band] * width;
        for (int x = 0; x < width; x++) cutting.Joined[x] = CombineClasses(above[x], below[x]);
        const int aboveHeight = tops[band] - tops[kept];
        const int belowHeight = tops[band + 1] - tops[band];
        const long apart =
            BandCost(cutting, above, aboveHeight, pieceCost) + BandCost(cutting, below, belowHeight, pieceCost);
        if (BandCost(cutting, cutting.Joined, aboveHeight + belowHeight, pieceCost) <= apart)
        {
            memcpy(above, cutting.Joined, width);
            joinedAny = true;
            continue;
        }
        tops[++kept] = tops[band];
    }
    bands = kept + 1;
    tops[bands] = cutting.Height;
    return joinedAny;
}

// Bands of rows joined while that is cheaper, each cut into its runs;
// false when the pieces do not fit into the record.
static bool CutIntoPieces(const PieceCutting& cutting, long pieceCost, Sprite& sprite)
{
    int bands = GroupRowsAlike(cutting);
    for (int pass = 0; pass < JOINING_PASSES; pass++)
    {
        if (!JoinNeighbouringBands(cutting, pieceCost, bands)) break;
    }
    sprite.PieceCount = 0;
    for (int band = 0; band < bands; band++)
    {
        const int top = cutting.BandTops[band];
        const int bottom = cutting.BandTops[band + 1];
        long cost = 0;
        const int runs = FindRuns(cutting.Bands + top * cutting.Width, cutting.Width, bottom - top, pieceCost,
                                  cutting.Runs, &cost);
        if (sprite.PieceCount + runs > MAX_SPRITE_PIECES) return false;
        for (int index = 0; index < runs; index++)
        {
            const Run& run = cutting.Runs[index];
            sprite.Pieces[sprite.PieceCount++] = {(int16_t)run.Left, (int16_t)top, (int16_t)run.Right,
                                                  (int16_t)bottom, run.Shows == SHOWS_OPAQUE};
        }
    }
    return true;
}

// The box around every texel of a class other than the one left out.
static SpritePiece BoundClassesOtherThan(uint8_t leftOut, const uint8_t* classes, int width, int height)
{
    int left = width, top = height, right = 0, bottom = 0;
    for (int y = 0; y < height; y++)
    {
        for (int x = 0; x < width; x++)
        {
            if (classes[y * width + x] == leftOut) continue;
            if (x < left) left = x;
            if (x >= right) right = x + 1;
            if (y < top) top = y;
            bottom = y + 1;
        }
    }
    if (right <= left) return SpritePiece{0, 0, 0, 0, false};
    return SpritePiece{(int16_t)left, (int16_t)top, (int16_t)right, (int16_t)bottom, false};
}

static void WholePictureAsOnePiece(Sprite& sprite, int width, int height, bool opaque)
{
    sprite.PieceCount = 1;
    sprite.Pieces[0] = {0, 0, (int16_t)width, (int16_t)height, opaque};
    sprite.SeeThrough = opaque ? SpritePiece{0, 0, 0, 0, false} : sprite.Pieces[0];
}

static bool EveryTexelOpaque(const SDL_Surface* picture)
{
    for (int y = 0; y < picture->h; y++)
    {
        const uint8_t* row = (const uint8_t*)picture->pixels + y * picture->pitch;
        for (int x = 0; x < picture->w; x++)
        {
            if (row[4 * x + ALPHA_BYTE] != ALPHA_OPAQUE) return false;
        }
    }
    return true;
}

void Visuals::FindSpritePieces(Sprite& sprite, const SDL_Surface* picture) const
{
    const int width = picture->w;
    const int height = picture->h;
    sprite.Opaque = picture->format->BytesPerPixel != 4 || EveryTexelOpaque(picture);
    const bool cuttable = picture->format->BytesPerPixel == 4 && width <= INT16_MAX && height <= INT16_MAX;
    if (sprite.Opaque || !cuttable)
    {
        WholePictureAsOnePiece(sprite, width, height, sprite.Opaque);
        return;
    }

    const size_t texels = (size_t)width * height;
    uint8_t* classes = new (std::nothrow) uint8_t[2 * texels + width];
    int* bandTops = new (std::nothrow) int[height + 1];
    Run* runs = new (std::nothrow) Run[2 * width];
    if (classes && bandTops && runs)
    {
        // The neighbourhood pass leaves its scratch free for the bands.
        ClassifyTexels(picture, classes, classes + texels);
        const PieceCutting cutting = {width, height, classes, classes + texels, bandTops, classes + 2 * texels, runs};
        bool cut = false;
        long pieceCost = FIRST_PIECE_COST;
        for (int doubling = 0; doubling < PIECE_COST_DOUBLINGS && !cut; doubling++, pieceCost *= 2)
            cut = CutIntoPieces(cutting, pieceCost, sprite);
        if (!cut)
        {
            // The last resort: one blended piece around everything that shows.
            sprite.Pieces[0] = BoundClassesOtherThan(SHOWS_NOTHING, classes, width, height);
            sprite.PieceCount = sprite.Pieces[0].Right > sprite.Pieces[0].Left;
        }
        sprite.SeeThrough = BoundClassesOtherThan(SHOWS_OPAQUE, classes, width, height);
    }
    else
    {
        WholePictureAsOnePiece(sprite, width, height, false);
    }
    delete[] classes;
    delete[] bandTops;
    delete[] runs;
}

// How the current matrices and viewport put a point (x, y, 0) into window
// pixels (y from the bottom), when they keep the axes apart (no turn).
struct WindowMapping
{
    float ScaleX;
    float OffsetX;
    float ScaleY;
    float OffsetY;
};

// Row r, column c of projection x model-view (both column-major).
static float CombinedEntry(const GLfloat* projection, const GLfloat* model, int row, int column)
{
    float sum = 0.0f;
    for (int k = 0; k < 4; k++) sum += projection[row + 4 * k] * model[k + 4 * column];
    return sum;
}

static bool CurrentWindowMapping(WindowMapping& mapping)
{
    GLfloat model[16];
    GLfloat projection[16];
    GLint viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, model);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const float w = CombinedEntry(projection, model, 3, 3);
    const bool axesKept = CombinedEntry(projection, model, 0, 1) == 0.0f &&
                          CombinedEntry(projection, model, 1, 0) == 0.0f &&
                          CombinedEntry(projection, model, 3, 0) == 0.0f &&
                          CombinedEntry(projection, model, 3, 1) == 0.0f && w != 0.0f;
    if (!axesKept) return false;
    const float halfWidth = viewport[2] * 0.5f;
    const float halfHeight = viewport[3] * 0.5f;
    mapping.ScaleX = halfWidth * CombinedEntry(projection, model, 0, 0) / w;
    mapping.OffsetX = viewport[0] + halfWidth * (CombinedEntry(projection, model, 0, 3) / w + 1.0f);
    mapping.ScaleY = halfHeight * CombinedEntry(projection, model, 1, 1) / w;
    mapping.OffsetY = viewport[1] + halfHeight * (CombinedEntry(projection, model, 1, 3) / w + 1.0f);
    return true;
}

// Window pixels [from, to) whose centres lie between two mapped points.
struct PixelSpan
{
    int From;
    int To;
};

const int OPEN_SPAN_FROM = 0;
const int OPEN_SPAN_TO = 1 << 30;

static PixelSpan SpanBetween(float one, float other)
{
    const int first = (int)floorf(one + 0.5f);
    const int second = (int)floorf(other + 0.5f);
    return first < second ? PixelSpan{first, second} : PixelSpan{second, first};
}

// The window pixels of texels [from, to) of a side of `texels`, whose first
// edge lies at `start` and whose texels are `step` pixels apart. The span is
// open at the quad's own edges: there the quad ends it, and a pixel centred
// right on such an edge is the quad's or not by the driver's rule alone.
static PixelSpan SpanOfTexels(int from, int to, int texels, float start, float step)
{
    PixelSpan span = SpanBetween(start + step * from, start + step * to);
    const bool forward = step > 0.0f;
    if (from == 0) (forward ? span.From : span.To) = forward ? OPEN_SPAN_FROM : OPEN_SPAN_TO;
    if (to == texels) (forward ? span.To : span.From) = forward ? OPEN_SPAN_TO : OPEN_SPAN_FROM;
    return span;
}

// Every pixel touching the span between two mapped points, and one more on
// either side.
static PixelSpan SpanAround(float one, float other)
{
    return PixelSpan{(int)floorf(fminf(one, other)) - 1, (int)ceilf(fmaxf(one, other)) + 1};
}

// Every pixel touching a rectangle of the virtual screen (or of a sprite's
// quad), and one more on every side.
static void SpansAround(const WindowMapping& mapping, float left, float top, float right, float bottom,
                        PixelSpan& across, PixelSpan& up)
{
    across = SpanAround(mapping.ScaleX * left + mapping.OffsetX, mapping.ScaleX * right + mapping.OffsetX);
    up = SpanAround(mapping.ScaleY * top + mapping.OffsetY, mapping.ScaleY * bottom + mapping.OffsetY);
}

// Within the box drawing is kept in, if any; false when no pixel is left.
static bool ScissorTo(PixelSpan across, PixelSpan up, const int32_t* keptWithin)
{
    if (across.From < 0) across.From = 0;
    if (up.From < 0) up.From = 0;
    if (keptWithin)
    {
        across = PixelSpan{std::max(across.From, (int)keptWithin[0]), std::min(across.To, (int)keptWithin[2])};
        up = PixelSpan{std::max(up.From, (int)keptWithin[1]), std::min(up.To, (int)keptWithin[3])};
    }
    if (across.To <= across.From || up.To <= up.From) return false;
    glScissor(across.From, up.From, across.To - across.From, up.To - up.From);
    return true;
}

static bool IsWholePicture(const SpritePiece& piece, const Sprite& sprite)
{
    return piece.Left == 0 && piece.Top == 0 && piece.Right == sprite.ImageWidth && piece.Bottom == sprite.ImageHeight;
}

// True when the mapped quad lies wholly inside the box (left, bottom, right, top).
static bool InsideBox(const int32_t* box, const WindowMapping& mapping, const QuadCorners& corners)
{
    PixelSpan across;
    PixelSpan up;
    SpansAround(mapping, corners.Left, corners.Top, corners.Right, corners.Bottom, across, up);
    return across.From >= box[0] && up.From >= box[1] && across.To <= box[2] && up.To <= box[3];
}

// Draws the sprite's whole quad where the pieces of its picture lie, each
// piece cut out by the scissor; the quad and its texture coordinates stay
// as they are, so each pixel drawn is the one the whole quad draws. False
// when the sprite is to be drawn whole (turned, or rough).
bool Visuals::DrawSpritePieces(const Sprite& sprite, const QuadCorners& corners)
{
    if (!DrawOnlyVisibleParts || !sprite.Smooth) return false;  // rough sprites blend as the state says
    const bool opaqueColour = sprite.Transparency >= 1.0f;
    const bool wholePicture = sprite.PieceCount == 1 && IsWholePicture(sprite.Pieces[0], sprite);
    // A whole picture drawn anywhere needs no mapping to the window.
    WindowMapping mapping = {};
    if ((!wholePicture || DrawingKeptWithin) && !CurrentWindowMapping(mapping)) return false;
    // A quad wholly inside the box drawing is kept in is drawn as it is.
    const int32_t* keptWithin = DrawingKeptWithin && !InsideBox(KeptWithin, mapping, corners) ? KeptWithin : nullptr;
    if (wholePicture && !keptWithin)
    {
        DrawQuadBlendedUnlessOpaque(sprite.Pieces[0].Opaque && opaqueColour, corners);
        return true;
    }

    const float texelWidth = (corners.Right - corners.Left) / sprite.ImageWidth;
    const float texelHeight = (corners.Bottom - corners.Top) / sprite.ImageHeight;
    glEnable(GL_SCISSOR_TEST);
    for (int index = 0; index < sprite.PieceCount; index++)
    {
        const SpritePiece& piece = sprite.Pieces[index];
        const PixelSpan across = SpanOfTexels(piece.Left, piece.Right, sprite.ImageWidth,
                                              mapping.ScaleX * corners.Left + mapping.OffsetX, mapping.ScaleX * texelWidth);
        const PixelSpan up = SpanOfTexels(piece.Top, piece.Bottom, sprite.ImageHeight,
                                          mapping.ScaleY * corners.Top + mapping.OffsetY, mapping.ScaleY * texelHeight);
        if (ScissorTo(across, up, keptWithin))
            DrawQuadBlendedUnlessOpaque(piece.Opaque && opaqueColour, corners);
    }
    glDisable(GL_SCISSOR_TEST);
    return true;
}

// An opaque quad needs no blending: what is below cannot show through.
void Visuals::DrawQuadBlendedUnlessOpaque(bool opaque, const QuadCorners& corners)
{
    if (opaque) glDisable(GL_BLEND);
    DrawTexturedQuad(corners);
    if (opaque) glEnable(GL_BLEND);
}

void Visuals::DrawSpriteOntoScreenBufferWithin(unsigned short index, const ScreenArea* areas, int count)
{
    if (index >= NUMBER_OF_SPRITES || Sprites[index].Texture == 0) return;
    const Sprite& sprite = Sprites[index];
    WindowMapping screen;
    const bool opaque = DrawOnlyVisibleParts && sprite.Smooth && sprite.Opaque && sprite.Transparency >= 1.0f;
    if (!opaque || !CurrentWindowMapping(screen))
    {
        DrawSpriteOntoScreenBuffer(index);
        return;
    }

    const QuadCorners corners = BeginSpriteDraw(sprite);
    glEnable(GL_SCISSOR_TEST);
    for (int area = 0; area < count; area++)
    {
        // Drawn unblended, an opaque picture may overlap itself.
        const ScreenArea& shown = areas[area];
        PixelSpan across;
        PixelSpan up;
        SpansAround(screen, shown.Left, shown.Top, shown.Right, shown.Bottom, across, up);
        if (ScissorTo(across, up, DrawingKeptWithin ? KeptWithin : nullptr))
            DrawQuadBlendedUnlessOpaque(true, corners);
    }
    glDisable(GL_SCISSOR_TEST);
    glPopMatrix();
}

void Visuals::KeepDrawingWithin(const ScreenArea* area)
{
    WindowMapping screen;
    DrawingKeptWithin = area && CurrentWindowMapping(screen);
    if (!DrawingKeptWithin) return;
    PixelSpan across;
    PixelSpan up;
    SpansAround(screen, area->Left, area->Top, area->Right, area->Bottom, across, up);
    KeptWithin[0] = across.From;
    KeptWithin[1] = up.From;
    KeptWithin[2] = across.To;
    KeptWithin[3] = up.To;
}

bool Visuals::FindAreaSeenThrough(unsigned short index, ScreenArea& area) const
{
    if (index >= NUMBER_OF_SPRITES) return false;
    const Sprite& sprite = Sprites[index];
    const bool plain = sprite.Texture != 0 && sprite.Transparency >= 1.0f && sprite.RotationDegree == 0.0f &&
                       !sprite.FlipX && !sprite.FlipY && sprite.ScaleX > 0.0f && sprite.ScaleY > 0.0f;
    if (!plain) return false;
    // Texel k of a side lies k texels from the quad's first corner.
    const float left = sprite.ScreenX - sprite.ImageWidth / 2 * sprite.ScaleX;
    const float top = sprite.ScreenY - sprite.ImageHeight / 2 * sprite.ScaleY;
    const float texelWidth = (sprite.ImageWidth / 2 * 2) * sprite.ScaleX / sprite.ImageWidth;
    const float texelHeight = (sprite.ImageHeight / 2 * 2) * sprite.ScaleY / sprite.ImageHeight;
    const bool coversTheScreen = left <= 0 && top <= 0 && left + texelWidth * sprite.ImageWidth >= VIRTUAL_SCREEN_WIDTH &&
                                 top + texelHeight * sprite.ImageHeight >= VIRTUAL_SCREEN_HEIGHT;
    if (!coversTheScreen) return false;
    area = ScreenArea{left + texelWidth * sprite.SeeThrough.Left, top + texelHeight * sprite.SeeThrough.Top,
                      left + texelWidth * sprite.SeeThrough.Right, top + texelHeight * sprite.SeeThrough.Bottom};
    return true;
}
