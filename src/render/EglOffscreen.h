#pragma once

// A drawing context without any window system: Mesa's surfaceless EGL platform with a desktop
// OpenGL (compatibility profile) context that draws into a frame buffer object of its own.
// The renderer falls back on it for its off-screen image when Qt's platform offers no OpenGL
// (the offscreen platform on a machine without an X server), so pictures can be made with no
// display at all. Only one such context is current at a time, on the thread that made it.
namespace kzv {

class CEglOffscreen {
public:
    CEglOffscreen() = default;
    ~CEglOffscreen();
    CEglOffscreen(const CEglOffscreen&) = delete;
    CEglOffscreen& operator=(const CEglOffscreen&) = delete;

    // Opens the surfaceless display and makes the context. False when EGL, the surfaceless
    // platform or a desktop OpenGL context is not available; error then says why.
    bool Create(const char** error = nullptr);
    // A colour, depth and stencil image of w x h pixels replaces the previous one (which stays
    // when the new one cannot be made). The context is current afterwards.
    bool Resize(int w, int h);
    // Makes the context current with its image bound as the frame buffer.
    bool MakeCurrent();
    // Releases the context.
    void DoneCurrent();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool HasImage() const { return m_fbo != 0; }

    // Whether a context of this kind is current on this thread.
    static bool IsCurrent();

private:
    void DeleteImage();

    void* m_display = nullptr;  // EGLDisplay
    void* m_context = nullptr;  // EGLContext
    unsigned m_fbo = 0;
    unsigned m_colour = 0;  // render buffers of the image
    unsigned m_depth = 0;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace kzv
