#include "visuals/visuals.h"

#include <math.h>

#include <algorithm>
#include <new>

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

static bool IsEmpty(const TexelBox& box)
{
    return box.Right <= box.Left || box.Bottom <= box.Top;
}

static int AreaOf(const TexelBox& box)
{
    return IsEmpty(box) ? 0 : (box.Right - box.Left) * (box.Bottom - box.Top);
}

static uint8_t AlphaAt(const SDL_Surface* picture, int x, int y)
{
    return ((const uint8_t*)picture->pixels)[y * picture->pitch + 4 * x + ALPHA_BYTE];
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
    if (IsEmpty(box)) return NO_TEXELS;
    const bool acrossWraps = box.Left == 0 || box.Right == width;
    const bool downWraps = box.Top == 0 || box.Bottom == height;
    return TexelBox{acrossWraps ? 0 : box.Left - 1, downWraps ? 0 : box.Top - 1, acrossWraps ? width : box.Right + 1,
                    downWraps ? height : box.Bottom + 1};
}

// The largest box of fully transparent texels within the bounds, less the
// texel around it that filtering reaches into. Row by row, each column's
// run of transparent texels down to that row stands as a bar; the widest
// box under a bar ends at lower bars (the stack holds the bars rising).
static TexelBox FindLargestHole(const SDL_Surface* picture, const TexelBox& within)
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

void Visuals::FindVisibleParts(Sprite& sprite, const SDL_Surface* picture) const
{
    const int width = picture->w;
    const int height = picture->h;
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
    sprite.Opaque = IsEmpty(notOpaque);
    sprite.Shown = GrownByFiltering(showing, width, height);
    sprite.SeeThrough = GrownByFiltering(notOpaque, width, height);
    sprite.Hole = sprite.Opaque ? NO_TEXELS : FindLargestHole(picture, sprite.Shown);
}

// Window pixels (y from the bottom) of a point of the virtual screen. Sprites
// are drawn under the window's projection with nothing else on the
// model-view stack, so their own fields and the viewport place them.
struct WindowMapping
{
    float ScaleX;
    float OffsetX;
    float ScaleY;
    float OffsetY;
};

static WindowMapping VirtualScreenInWindow()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const float scaleY = (float)viewport[3] / VIRTUAL_SCREEN_HEIGHT;
    return WindowMapping{(float)viewport[2] / VIRTUAL_SCREEN_WIDTH, (float)viewport[0], -scaleY,
                         (float)(viewport[1] + viewport[3])};
}

// Every pixel touching a rectangle of the virtual screen, and one more on
// every side.
static PixelBox BoxAround(const WindowMapping& window, const ScreenArea& area)
{
    return PixelBox{(int)floorf(window.ScaleX * area.Left + window.OffsetX) - 1,
                    (int)floorf(window.ScaleY * area.Bottom + window.OffsetY) - 1,
                    (int)ceilf(window.ScaleX * area.Right + window.OffsetX) + 1,
                    (int)ceilf(window.ScaleY * area.Top + window.OffsetY) + 1};
}

const int OPEN_SPAN_FROM = 0;
const int OPEN_SPAN_TO = 1 << 30;

// The pixels [low, high) whose centres lie within texels [from, to) of a
// side of `texels`, whose first edge lies at `start` and whose texels are
// `step` pixels apart. Open at the quad's own edges: there the quad ends
// it, and a pixel centred right on such an edge is the quad's or not by the
// driver's rule alone.
static void SpanOfTexels(int from, int to, int texels, float start, float step, int32_t& low, int32_t& high)
{
    const int one = (int)floorf(start + step * from + 0.5f);
    const int other = (int)floorf(start + step * to + 0.5f);
    const bool forward = step > 0.0f;
    low = std::min(one, other);
    high = std::max(one, other);
    if (from == 0) (forward ? low : high) = forward ? OPEN_SPAN_FROM : OPEN_SPAN_TO;
    if (to == texels) (forward ? high : low) = forward ? OPEN_SPAN_TO : OPEN_SPAN_FROM;
}

static bool Contains(const PixelBox& outer, const PixelBox& inner)
{
    return inner.Left >= outer.Left && inner.Bottom >= outer.Bottom && inner.Right <= outer.Right &&
           inner.Top <= outer.Top;
}

// Within the box drawing is kept in, if any; false when no pixel is left.
static bool ScissorTo(PixelBox box, const PixelBox* keptWithin)
{
    if (keptWithin)
    {
        box = PixelBox{std::max(box.Left, keptWithin->Left), std::max(box.Bottom, keptWithin->Bottom),
                       std::min(box.Right, keptWithin->Right), std::min(box.Top, keptWithin->Top)};
    }
    box.Left = std::max(box.Left, 0);
    box.Bottom = std::max(box.Bottom, 0);
    if (box.Right <= box.Left || box.Top <= box.Bottom) return false;
    glScissor(box.Left, box.Bottom, box.Right - box.Left, box.Top - box.Bottom);
    return true;
}

// The virtual screen's rectangle of an upright quad.
static ScreenArea AreaOfQuad(const PlacedQuad& quad)
{
    const float left = quad.X + quad.ScaleX * quad.Left;
    const float right = quad.X + quad.ScaleX * quad.Right;
    const float top = quad.Y + quad.ScaleY * quad.Top;
    const float bottom = quad.Y + quad.ScaleY * quad.Bottom;
    return ScreenArea{fminf(left, right), fminf(top, bottom), fmaxf(left, right), fmaxf(top, bottom)};
}

// An opaque quad needs no blending: what is below cannot show through.
void Visuals::DrawQuadBlendedUnlessOpaque(bool opaque, const PlacedQuad& quad)
{
    if (opaque) glDisable(GL_BLEND);
    DrawTexturedQuad(quad);
    if (opaque) glEnable(GL_BLEND);
}

bool Visuals::DrawVisibleParts(const Sprite& sprite, const PlacedQuad& quad)
{
    // Rough sprites blend as the state says; a turned one is not cut.
    if (!DrawOnlyVisibleParts || !sprite.Smooth || quad.RotationDegree != 0.0f) return false;
    const bool opaque = sprite.Opaque && sprite.Transparency >= 1.0f;
    const WindowMapping window = VirtualScreenInWindow();
    // A quad wholly inside the box drawing is kept in is drawn as it is.
    const PixelBox* keptWithin =
        DrawingKeptWithin && !Contains(KeptWithin, BoxAround(window, AreaOfQuad(quad))) ? &KeptWithin : nullptr;
    const TexelBox& shown = sprite.Shown;
    const bool wholePicture = shown.Left == 0 && shown.Top == 0 && shown.Right == sprite.ImageWidth &&
                              shown.Bottom == sprite.ImageHeight && IsEmpty(sprite.Hole);
    if (wholePicture && !keptWithin)
    {
        DrawQuadBlendedUnlessOpaque(opaque, quad);
        return true;
    }

    // Texel edges in window pixels: where the first lies, how far apart they are.
    const float startX = window.ScaleX * (quad.X + quad.ScaleX * quad.Left) + window.OffsetX;
    const float startY = window.ScaleY * (quad.Y + quad.ScaleY * quad.Top) + window.OffsetY;
    const float stepX = window.ScaleX * quad.ScaleX * (quad.Right - quad.Left) / sprite.ImageWidth;
    const float stepY = window.ScaleY * quad.ScaleY * (quad.Bottom - quad.Top) / sprite.ImageHeight;
    // The box around what shows, less the hole: four strips, above, below,
    // left and right of it (no hole leaves the one below).
    const TexelBox hole = IsEmpty(sprite.Hole) ? TexelBox{shown.Left, shown.Top, shown.Left, shown.Top} : sprite.Hole;
    const TexelBox strips[4] = {{shown.Left, shown.Top, shown.Right, hole.Top},
                                {shown.Left, hole.Bottom, shown.Right, shown.Bottom},
                                {shown.Left, hole.Top, hole.Left, hole.Bottom},
                                {hole.Right, hole.Top, shown.Right, hole.Bottom}};
    glEnable(GL_SCISSOR_TEST);
    for (const TexelBox& strip : strips)
    {
        if (IsEmpty(strip)) continue;
        PixelBox box;
        SpanOfTexels(strip.Left, strip.Right, sprite.ImageWidth, startX, stepX, box.Left, box.Right);
        SpanOfTexels(strip.Top, strip.Bottom, sprite.ImageHeight, startY, stepY, box.Bottom, box.Top);
        if (ScissorTo(box, keptWithin)) DrawQuadBlendedUnlessOpaque(opaque, quad);
    }
    glDisable(GL_SCISSOR_TEST);
    return true;
}

void Visuals::DrawSpriteOntoScreenBufferWithin(unsigned short index, const ScreenArea* areas, int count)
{
    if (index >= NUMBER_OF_SPRITES || Sprites[index].Texture == 0) return;
    const Sprite& sprite = Sprites[index];
    const bool opaque = DrawOnlyVisibleParts && sprite.Smooth && sprite.Opaque && sprite.Transparency >= 1.0f;
    if (!opaque)
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
        if (ScissorTo(BoxAround(window, areas[area]), DrawingKeptWithin ? &KeptWithin : nullptr))
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
    if (index >= NUMBER_OF_SPRITES) return false;
    const Sprite& sprite = Sprites[index];
    const bool plain = sprite.Texture != 0 && sprite.Transparency >= 1.0f && sprite.RotationDegree == 0.0f &&
                       !sprite.FlipX && !sprite.FlipY && sprite.ScaleX > 0.0f && sprite.ScaleY > 0.0f;
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
