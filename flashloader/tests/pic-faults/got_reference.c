/* Rejected by the image check: with -fpie, an object defined in another
 * file is reached through the GOT. */
extern const int limit;
int Init(void) { return limit; }
