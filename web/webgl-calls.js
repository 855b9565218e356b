// OpenGL calls made the way WebGL 1 and its fixed-function emulation accept
// them. The runtime sets the desktop's pixel-store defaults and asks for fast
// rendering through hints; WebGL has neither those pixel-store names nor those
// hints (its uploads already read rows as those defaults say), and warns about
// each call. A setting WebGL lacks is dropped when it is the default; any
// other value still reaches WebGL, which says it cannot have it.
mergeInto(LibraryManager.library, {
  // The emulation draws every primitive smooth-shaded and says so on the
  // program's output. The runtime asks for flat shading only where every
  // vertex has the same colour (smooth draws that the same), and for smooth
  // shading where it gives colours by vertex: either is drawn as asked.
  glShadeModel__sig: 'vi',
  glShadeModel: function(mode) {},

  glHint__sig: 'vii',
  glHint: function(target, mode) {
    if (target == 0x8192 /* GL_GENERATE_MIPMAP_HINT, WebGL's only hint */) GLctx.hint(target, mode);
  },

  glPixelStorei__sig: 'vii',
  glPixelStorei: function(pname, param) {
    // GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
    // GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS.
    if ([0xCF2, 0xCF3, 0xCF4, 0xD02, 0xD03, 0xD04].includes(pname) && param == 0) return;
    if (pname == 0xCF5 /* GL_UNPACK_ALIGNMENT */) GL.unpackAlignment = param;
    GLctx.pixelStorei(pname, param);
  },
});
