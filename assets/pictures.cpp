// Holds the generated pictures once the generator exists; the library must not be empty.
namespace tavrel_assets {
int picturesVersion() { return 0; }
} // namespace tavrel_assets
