// The GL entry points the engine uses, doing no more than keeping their arguments: linked into a
// benchmark, they take the GL library's own cost out, so that the time left is the engine's code (or the
// plain code's) and the calls it makes. Texture names count up; matrices read back as the identity.
#include <GL/gl.h>

namespace {

// Where calls leave their arguments, so that the compiler keeps them.
volatile GLfloat sink[4];
volatile GLenum last_enum;
GLuint next_texture = 1;

void Keep(GLfloat a, GLfloat b = 0, GLfloat c = 0, GLfloat d = 0) {
    sink[0] = a;
    sink[1] = b;
    sink[2] = c;
    sink[3] = d;
}

}  // namespace

extern "C" {

void glBegin(GLenum mode) {
    last_enum = mode;
}
void glEnd(void) {
    last_enum = 0;
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    Keep(r, g, b, a);
}
void glTexCoord2f(GLfloat s, GLfloat t) {
    Keep(s, t);
}
void glVertex2f(GLfloat x, GLfloat y) {
    Keep(x, y);
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    Keep(x, y, z);
}

void glEnable(GLenum cap) {
    last_enum = cap;
}
void glDisable(GLenum cap) {
    last_enum = cap;
}
void glBlendFunc(GLenum source, GLenum destination) {
    last_enum = source + destination;
}
void glShadeModel(GLenum mode) {
    last_enum = mode;
}
void glClear(GLbitfield mask) {
    last_enum = mask;
}
void glFinish(void) {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void glStencilFunc(GLenum function, GLint, GLuint) {
    last_enum = function;
}
void glStencilOp(GLenum fail, GLenum, GLenum) {
    last_enum = fail;
}

void glMatrixMode(GLenum mode) {
    last_enum = mode;
}
void glLoadIdentity(void) {}
void glLoadMatrixf(const GLfloat* m) {
    Keep(m[0]);
}
void glMultMatrixf(const GLfloat* m) {
    Keep(m[0]);
}
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}
void glPushMatrix(void) {}
void glPopMatrix(void) {}
void glGetFloatv(GLenum, GLfloat* params) {
    for (int i = 0; i < 16; ++i) params[i] = i % 5 == 0 ? 1.0f : 0.0f;
}

void glGenTextures(GLsizei n, GLuint* textures) {
    for (GLsizei i = 0; i < n; ++i) textures[i] = next_texture++;
}
void glDeleteTextures(GLsizei, const GLuint*) {}
void glBindTexture(GLenum, GLuint texture) {
    last_enum = texture;
}
void glTexParameteri(GLenum, GLenum name, GLint) {
    last_enum = name;
}
void glPixelStorei(GLenum name, GLint) {
    last_enum = name;
}
void glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const GLvoid*) {}
void glTexSubImage2D(GLenum, GLint, GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, const GLvoid*) {}
void glGetTexImage(GLenum, GLint, GLenum, GLenum, GLvoid*) {}

}  // extern "C"
