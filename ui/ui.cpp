// The forms runtime lives in this folder.
namespace ui {}
