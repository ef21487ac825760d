// The harness library needs at least one source; its pieces sit beside this file.
