/* A module that only carries resources (test bitmaps). */
int korvex_resource_module;
