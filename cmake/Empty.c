/* The one source of the link-check libraries, which take all their code from the layer they check. */
