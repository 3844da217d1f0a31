#include "render/EglOffscreen.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

namespace kzv {

namespace {

// The frame-buffer functions are not part of OpenGL 1.1's exports; EGL hands them out.
struct CFboFunctions {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    bool Load() {
        genFramebuffers =
            reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(eglGetProcAddress("glGenFramebuffers"));
        deleteFramebuffers = reinterpret_cast<PFNGLDELETEFRAMEBUFFERSPROC>(
            eglGetProcAddress("glDeleteFramebuffers"));
        bindFramebuffer =
            reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(eglGetProcAddress("glBindFramebuffer"));
        genRenderbuffers =
            reinterpret_cast<PFNGLGENRENDERBUFFERSPROC>(eglGetProcAddress("glGenRenderbuffers"));
        deleteRenderbuffers = reinterpret_cast<PFNGLDELETERENDERBUFFERSPROC>(
            eglGetProcAddress("glDeleteRenderbuffers"));
        bindRenderbuffer =
            reinterpret_cast<PFNGLBINDRENDERBUFFERPROC>(eglGetProcAddress("glBindRenderbuffer"));
        renderbufferStorage = reinterpret_cast<PFNGLRENDERBUFFERSTORAGEPROC>(
            eglGetProcAddress("glRenderbufferStorage"));
        framebufferRenderbuffer = reinterpret_cast<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(
            eglGetProcAddress("glFramebufferRenderbuffer"));
        checkFramebufferStatus = reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(
            eglGetProcAddress("glCheckFramebufferStatus"));
        return genFramebuffers && deleteFramebuffers && bindFramebuffer && genRenderbuffers &&
               deleteRenderbuffers && bindRenderbuffer && renderbufferStorage &&
               framebufferRenderbuffer && checkFramebufferStatus;
    }
};

CFboFunctions& Fbo() {
    static CFboFunctions functions;
    return functions;
}

// The context current on this thread through this class (null when none).
thread_local void* t_current = nullptr;

}  // namespace

CEglOffscreen::~CEglOffscreen() {
    if (m_display == nullptr) {
        return;
    }
    auto* display = static_cast<EGLDisplay>(m_display);
    if (m_context != nullptr) {
        if (eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE,
                           static_cast<EGLContext>(m_context))) {
            DeleteImage();
        }
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, static_cast<EGLContext>(m_context));
    }
    if (t_current == m_context) {
        t_current = nullptr;
    }
    eglTerminate(display);
}

bool CEglOffscreen::Create(const char** error) {
    const char* reason = nullptr;
    if (m_context != nullptr) {
        return true;
    }
    const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLint major = 0;
    EGLint minor = 0;
    if (extensions == nullptr || getPlatformDisplay == nullptr) {
        reason = "EGL has no platform displays";
    } else if ((display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY,
                                             nullptr)) == EGL_NO_DISPLAY ||
               !eglInitialize(display, &major, &minor)) {
        reason = "EGL's surfaceless platform is not available";
    }
    if (reason == nullptr) {
        m_display = display;
        // Fixed-function OpenGL 1.1 with the frame-buffer functions: a compatibility context.
        const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1,
                                     EGL_NONE};
        EGLContext context = EGL_NO_CONTEXT;
        if (!eglBindAPI(EGL_OPENGL_API) ||
            (context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes)) ==
                EGL_NO_CONTEXT) {
            reason = "EGL cannot make a desktop OpenGL context";
        } else {
            m_context = context;
            if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) ||
                !Fbo().Load()) {
                reason = "the OpenGL context has no frame buffer objects";
            } else {
                t_current = m_context;
            }
        }
    }
    if (reason != nullptr && error != nullptr) {
        *error = reason;
    }
    return reason == nullptr;
}

bool CEglOffscreen::MakeCurrent() {
    if (m_context == nullptr ||
        !eglMakeCurrent(static_cast<EGLDisplay>(m_display), EGL_NO_SURFACE, EGL_NO_SURFACE,
                        static_cast<EGLContext>(m_context))) {
        return false;
    }
    t_current = m_context;
    Fbo().bindFramebuffer(GL_FRAMEBUFFER, m_fbo);
    return true;
}

void CEglOffscreen::DoneCurrent() {
    if (m_display != nullptr && t_current == m_context) {
        eglMakeCurrent(static_cast<EGLDisplay>(m_display), EGL_NO_SURFACE, EGL_NO_SURFACE,
                       EGL_NO_CONTEXT);
        t_current = nullptr;
    }
}

bool CEglOffscreen::IsCurrent() {
    return t_current != nullptr;
}

bool CEglOffscreen::Resize(int w, int h) {
    if (w <= 0 || h <= 0 || !MakeCurrent()) {
        return false;
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (w > largest || h > largest) {
        return false;
    }
    CFboFunctions& f = Fbo();
    GLuint fbo = 0;
    GLuint buffers[2] = {0, 0};
    f.genFramebuffers(1, &fbo);
    f.genRenderbuffers(2, buffers);
    f.bindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    f.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
    f.bindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    f.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, w, h);
    f.bindRenderbuffer(GL_RENDERBUFFER, 0);
    f.bindFramebuffer(GL_FRAMEBUFFER, fbo);
    f.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    f.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              buffers[1]);
    const bool complete = f.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE &&
                          glGetError() == GL_NO_ERROR;
    if (!complete) {
        f.bindFramebuffer(GL_FRAMEBUFFER, m_fbo);
        f.deleteFramebuffers(1, &fbo);
        f.deleteRenderbuffers(2, buffers);
        return false;
    }
    f.bindFramebuffer(GL_FRAMEBUFFER, 0);
    DeleteImage();
    m_fbo = fbo;
    m_colour = buffers[0];
    m_depth = buffers[1];
    m_width = w;
    m_height = h;
    f.bindFramebuffer(GL_FRAMEBUFFER, m_fbo);
    return true;
}

void CEglOffscreen::DeleteImage() {
    if (m_fbo == 0) {
        return;
    }
    CFboFunctions& f = Fbo();
    f.bindFramebuffer(GL_FRAMEBUFFER, 0);
    f.deleteFramebuffers(1, &m_fbo);
    const GLuint buffers[2] = {m_colour, m_depth};
    f.deleteRenderbuffers(2, buffers);
    m_fbo = m_colour = m_depth = 0;
    m_width = m_height = 0;
}

}  // namespace kzv
