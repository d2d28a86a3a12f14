#include "visuals/visuals.h"

#include <GL/gl.h>

#include <math.h>

#include <algorithm>
#include <new>

#include "checks.h"

// A sprite is drawn as its whole quad, cut by the scissor to the box around
// what its picture shows, less the largest hole inside it. Quad and texture
// coordinates never change: each pixel drawn is the whole quad's, to the bit.

const uint8_t ALPHA_OPAQUE = 255;
const int ALPHA_BYTE = 3;  // RGBA bytes, as uploaded

// The strips around a hole take three draws more than one quad, and a
// small draw cost what blending 500 to 2,600 pixels costs (900 typically,
// software OpenGL). A texel at scale 1 is a pixel in the game's own window,
// more in a larger one: a smaller hole does not pay.
const int HOLE_WORTH_TEXELS = 2048;

const TexelBox NO_TEXELS = {0, 0, 0, 0};

static int AreaOf(const TexelBox& box)
{
    return box.IsEmpty() ? 0 : (box.Right - box.Left) * (box.Bottom - box.Top);
}

static uint8_t AlphaAt(const RgbaPicture& picture, int x, int y)
{
    return picture.Pixels[(static_cast<size_t>(y) * picture.Width + x) * 4 + ALPHA_BYTE];
}

static void TakeIn(TexelBox& box, int x, int y)
{
    box = TexelBox{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
}

// The texels that pixels drawn from the box's texels can show: one more
// around it, and a box at an edge reaches the opposite edge too, as the
// texture wraps.
static TexelBox GrownByFiltering(const TexelBox& box, int width, int height)
{
    if (box.IsEmpty()) return NO_TEXELS;
    const bool acrossWraps = box.Left == 0 || box.Right == width;
    const bool downWraps = box.Top == 0 || box.Bottom == height;
    return TexelBox{acrossWraps ? 0 : box.Left - 1, downWraps ? 0 : box.Top - 1, acrossWraps ? width : box.Right + 1,
                    downWraps ? height : box.Bottom + 1};
}

// The largest box of fully transparent texels within the bounds, less the
// texel around it that filtering reaches into. Row by row, each column's
// run of transparent texels down to that row stands as a bar; the widest
// box under a bar ends at lower bars (the stack holds the bars rising).
static TexelBox FindLargestHole(const RgbaPicture& picture, const TexelBox& within)
{
    const int width = within.Right - within.Left;
    int* runs = new (std::nothrow) int[2 * width + 1]();
    if (!runs) return NO_TEXELS;
    int* rising = runs + width;
    TexelBox largest = NO_TEXELS;
    for (int y = within.Top; y < within.Bottom; y++)
    {
        for (int x = 0; x < width; x++) runs[x] = AlphaAt(picture, within.Left + x, y) == 0 ? runs[x] + 1 : 0;
        int count = 0;
        for (int x = 0; x <= width; x++)
        {
            const int run = x < width ? runs[x] : 0;
            while (count > 0 && runs[rising[count - 1]] >= run)
            {
                const int bar = rising[--count];
                const int from = count > 0 ? rising[count - 1] + 1 : 0;
                const TexelBox box = {within.Left + from, y + 1 - runs[bar], within.Left + x, y + 1};
                if (AreaOf(box) > AreaOf(largest)) largest = box;
            }
            rising[count++] = x;
        }
    }
    delete[] runs;
    const TexelBox hole = {largest.Left + 1, largest.Top + 1, largest.Right - 1, largest.Bottom - 1};
    return AreaOf(hole) >= HOLE_WORTH_TEXELS ? hole : NO_TEXELS;
}

void Visuals::FindVisibleParts(Sprite& sprite, const RgbaPicture& picture) const
{
    const int width = picture.Width;
    const int height = picture.Height;
    TexelBox showing = {width, height, 0, 0};
    TexelBox notOpaque = showing;
    for (int y = 0; y < height; y++)
    {
        for (int x = 0; x < width; x++)
        {
            const uint8_t alpha = AlphaAt(picture, x, y);
            if (alpha != 0) TakeIn(showing, x, y);
            if (alpha != ALPHA_OPAQUE) TakeIn(notOpaque, x, y);
        }
    }
    sprite.Opaque = notOpaque.IsEmpty();
    sprite.Shown = GrownByFiltering(showing, width, height);
    sprite.SeeThrough = GrownByFiltering(notOpaque, width, height);
    sprite.Hole = sprite.Opaque ? NO_TEXELS : FindLargestHole(picture, sprite.Shown);
}

// Where the virtual screen lies in the window: pixels are counted from the
// window's left and down from the viewport's top, whose row from the bottom
// the scissor needs. Nothing but a sprite's own fields places it (see
// MayBeCut), so the viewport alone maps it to pixels.
struct WindowMapping
{
    float ScaleX;
    float ScaleY;
    PixelBox Viewport;
    int32_t ViewportTopRow;
};

static WindowMapping VirtualScreenInWindow()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    return WindowMapping{(float)viewport[2] / VIRTUAL_SCREEN_WIDTH, (float)viewport[3] / VIRTUAL_SCREEN_HEIGHT,
                         PixelBox{viewport[0], 0, viewport[0] + viewport[2], viewport[3]},
                         viewport[1] + viewport[3]};
}

static float PixelX(const WindowMapping& window, float x)
{
    return window.ScaleX * x + window.Viewport.Left;
}

static float PixelY(const WindowMapping& window, float y)
{
    return window.ScaleY * y;
}

// Every pixel touching a rectangle of the virtual screen, and one more on
// every side.
static PixelBox BoxAround(const WindowMapping& window, const ScreenArea& area)
{
    return PixelBox{(int)floorf(PixelX(window, area.Left)) - 1, (int)floorf(PixelY(window, area.Top)) - 1,
                    (int)ceilf(PixelX(window, area.Right)) + 1, (int)ceilf(PixelY(window, area.Bottom)) + 1};
}

// The first pixel past a texel edge lying `at` pixels across or down. A
// pixel centred right on the edge goes with the texel left of it or below
// it, as OpenGL's window rows count up from the bottom.
static int PixelPastEdgeAcross(float at)
{
    return (int)floorf(at + 0.5f);
}

static int PixelPastEdgeDown(float at)
{
    return (int)ceilf(at - 0.5f);
}

// One side of the quad in pixels: the first texel edge lies at Start, the
// edges are Step apart (less than 0 when mirrored), there are Texels of
// them, and the viewport spans [Low, High).
struct QuadSide
{
    float Start;
    float Step;
    int Texels;
    int32_t Low;
    int32_t High;
    int (*PixelPastEdge)(float at);
};

// The pixels [low, high) whose centres lie within texels [from, to) of a
// side. Open at the quad's own edges, out to the viewport's: there the quad
// ends the drawing, and a pixel centred right on such an edge is the quad's
// or not by the driver's rule alone.
static void SpanOfTexels(const QuadSide& side, int from, int to, int32_t& low, int32_t& high)
{
    const bool forward = side.Step > 0.0f;
    int32_t first = side.PixelPastEdge(side.Start + side.Step * from);
    int32_t last = side.PixelPastEdge(side.Start + side.Step * to);
    if (from == 0) first = forward ? side.Low : side.High;
    if (to == side.Texels) last = forward ? side.High : side.Low;
    low = std::min(first, last);
    high = std::max(first, last);
}

static bool Contains(const PixelBox& outer, const PixelBox& inner)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
           inner.Bottom <= outer.Bottom;
}

// Within the box drawing is kept in, if any; false when no pixel is left.
// The scissor counts rows up from the window's bottom.
static bool ScissorTo(const WindowMapping& window, PixelBox box, const PixelBox* keptWithin)
{
    if (keptWithin)
    {
        box = PixelBox{std::max(box.Left, keptWithin->Left), std::max(box.Top, keptWithin->Top),
                       std::min(box.Right, keptWithin->Right), std::min(box.Bottom, keptWithin->Bottom)};
    }
    const int32_t left = std::max(box.Left, 0);
    const int32_t bottomRow = std::max(window.ViewportTopRow - box.Bottom, 0);
    const int32_t topRow = window.ViewportTopRow - box.Top;
    if (box.Right <= left || topRow <= bottomRow) return false;
    glScissor(left, bottomRow, box.Right - left, topRow - bottomRow);
    return true;
}

// The virtual screen's rectangle of an upright quad.
static ScreenArea AreaOfQuad(const PlacedQuad& quad)
{
    const float left = quad.ScreenX + quad.ScaleX * quad.Corners.StartX;
    const float right = quad.ScreenX + quad.ScaleX * quad.Corners.EndX;
    const float top = quad.ScreenY + quad.ScaleY * quad.Corners.StartY;
    const float bottom = quad.ScreenY + quad.ScaleY * quad.Corners.EndY;
    return ScreenArea{fminf(left, right), fminf(top, bottom), fmaxf(left, right), fmaxf(top, bottom)};
}

static bool ModelViewIsIdentity()
{
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    for (int element = 0; element < 16; element++)
    {
        if (matrix[element] != (element % 5 == 0 ? 1.0f : 0.0f)) return false;
    }
    return true;
}

// Rough sprites blend as the state says and a turned one is not cut. The
// scissor is set from the viewport alone: under any other transform the
// sprite is drawn whole.
bool Visuals::MayBeCut(const Sprite& sprite) const
{
    return DrawOnlyVisibleParts && DrawingMatrixIsIdentity && sprite.Smooth && sprite.RotationDegree == 0.0f;
}

// Asked once a frame: under indirect GLX every read of a matrix is a round
// trip to the X server. Sprites place themselves and put the matrix back.
void Visuals::CheckTheDrawingMatrix()
{
    DrawingMatrixIsIdentity = RULE_HOLDS(ModelViewIsIdentity());
}

// Every texel opaque, and drawn at full strength.
static bool DrawnOpaque(const Sprite& sprite)
{
    return sprite.Opaque && sprite.Transparency >= 1.0f;
}

bool Visuals::CoversOpaquely(const Sprite& sprite) const
{
    return DrawnOpaque(sprite) && MayBeCut(sprite);
}

// An opaque quad needs no blending: what is below cannot show through.
void Visuals::DrawQuadBlendedUnlessOpaque(bool opaque, const PlacedQuad& quad)
{
    if (opaque) glDisable(GL_BLEND);
    DrawTexturedQuad(quad);
    if (opaque) glEnable(GL_BLEND);
}

void Visuals::DrawVisibleParts(const Sprite& sprite, const PlacedQuad& quad)
{
    const bool opaque = DrawnOpaque(sprite);
    const WindowMapping window = VirtualScreenInWindow();
    // A quad wholly inside the box drawing is kept in is drawn as it is.
    const PixelBox* keptWithin =
        DrawingKeptWithin && !Contains(KeptWithin, BoxAround(window, AreaOfQuad(quad))) ? &KeptWithin : nullptr;
    const TexelBox& shown = sprite.Shown;
    const bool wholePicture = shown.Left == 0 && shown.Top == 0 && shown.Right == sprite.ImageWidth &&
                              shown.Bottom == sprite.ImageHeight && sprite.Hole.IsEmpty();
    if (wholePicture && !keptWithin)
    {
        DrawQuadBlendedUnlessOpaque(opaque, quad);
        return;
    }

    const QuadCorners& corners = quad.Corners;
    const QuadSide across = {PixelX(window, quad.ScreenX + quad.ScaleX * corners.StartX),
                             window.ScaleX * quad.ScaleX * (corners.EndX - corners.StartX) / sprite.ImageWidth,
                             sprite.ImageWidth, window.Viewport.Left, window.Viewport.Right, PixelPastEdgeAcross};
    const QuadSide down = {PixelY(window, quad.ScreenY + quad.ScaleY * corners.StartY),
                           window.ScaleY * quad.ScaleY * (corners.EndY - corners.StartY) / sprite.ImageHeight,
                           sprite.ImageHeight, window.Viewport.Top, window.Viewport.Bottom, PixelPastEdgeDown};
    // The box around what shows, less the hole: four strips, above, below,
    // left and right of it (no hole leaves the one below).
    const TexelBox hole = sprite.Hole.IsEmpty() ? TexelBox{shown.Left, shown.Top, shown.Left, shown.Top} : sprite.Hole;
    const TexelBox strips[4] = {{shown.Left, shown.Top, shown.Right, hole.Top},
                                {shown.Left, hole.Bottom, shown.Right, shown.Bottom},
                                {shown.Left, hole.Top, hole.Left, hole.Bottom},
                                {hole.Right, hole.Top, shown.Right, hole.Bottom}};
    glEnable(GL_SCISSOR_TEST);
    for (const TexelBox& strip : strips)
    {
        if (strip.IsEmpty()) continue;
        PixelBox box;
        SpanOfTexels(across, strip.Left, strip.Right, box.Left, box.Right);
        SpanOfTexels(down, strip.Top, strip.Bottom, box.Top, box.Bottom);
        if (ScissorTo(window, box, keptWithin)) DrawQuadBlendedUnlessOpaque(opaque, quad);
    }
    glDisable(GL_SCISSOR_TEST);
}

void Visuals::DrawSpriteOntoScreenBufferWithin(unsigned short index, const ScreenArea* areas, int count)
{
    if (!RULE_HOLDS(index < NUMBER_OF_SPRITES) || Sprites[index].Texture == 0) return;
    const Sprite& sprite = Sprites[index];
    if (!CoversOpaquely(sprite))
    {
        DrawSpriteOntoScreenBuffer(index);
        return;
    }

    const WindowMapping window = VirtualScreenInWindow();
    const PlacedQuad quad = QuadOfSprite(sprite);
    PlaceQuad(quad);
    glEnable(GL_SCISSOR_TEST);
    for (int area = 0; area < count; area++)
    {
        // Drawn unblended, an opaque picture may overlap itself.
        if (ScissorTo(window, BoxAround(window, areas[area]), DrawingKeptWithin ? &KeptWithin : nullptr))
            DrawQuadBlendedUnlessOpaque(true, quad);
    }
    glDisable(GL_SCISSOR_TEST);
    glPopMatrix();
}

void Visuals::KeepDrawingWithin(const ScreenArea* area)
{
    DrawingKeptWithin = area != nullptr;
    if (area) KeptWithin = BoxAround(VirtualScreenInWindow(), *area);
}

bool Visuals::FindSpriteArea(unsigned short index, ScreenArea& area) const
{
    if (!RULE_HOLDS(index < NUMBER_OF_SPRITES)) return false;
    const Sprite& sprite = Sprites[index];
    const bool plain = sprite.Texture != 0 && sprite.Transparency >= 1.0f && !sprite.FlipX && !sprite.FlipY &&
                       sprite.ScaleX > 0.0f && sprite.ScaleY > 0.0f && MayBeCut(sprite);
    if (plain) area = AreaOfQuad(QuadOfSprite(sprite));
    return plain;
}

bool Visuals::FindAreaSeenThrough(unsigned short index, ScreenArea& area) const
{
    ScreenArea quad;
    if (!FindSpriteArea(index, quad)) return false;
    const bool coversTheScreen = quad.Left <= 0 && quad.Top <= 0 && quad.Right >= VIRTUAL_SCREEN_WIDTH &&
                                 quad.Bottom >= VIRTUAL_SCREEN_HEIGHT;
    if (!coversTheScreen) return false;
    const Sprite& sprite = Sprites[index];
    const float texelWidth = (quad.Right - quad.Left) / sprite.ImageWidth;
    const float texelHeight = (quad.Bottom - quad.Top) / sprite.ImageHeight;
    const TexelBox& through = sprite.SeeThrough;
    area = ScreenArea{quad.Left + texelWidth * through.Left, quad.Top + texelHeight * through.Top,
                      quad.Left + texelWidth * through.Right, quad.Top + texelHeight * through.Bottom};
    return true;
}
