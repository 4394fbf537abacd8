// The shell's screens and shared routines live in this folder.
namespace shell {}
