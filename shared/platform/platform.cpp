// Anchors the platform library while its parts are added.
namespace platform {}
