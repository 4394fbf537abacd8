// The program's file formats live in this folder.
namespace formats {}
