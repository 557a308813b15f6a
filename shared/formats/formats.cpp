// Anchors the file-format library while its parts are added.
namespace commo {}
