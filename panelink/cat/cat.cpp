namespace panelink {}
