// cladeworks_assets holds no code of its own: its content is the compiled Qt
// resource with the generated artwork. A static library still needs one source
// file; Qt hands the resource objects on to every program that links it, so
// the resources register themselves without Q_INIT_RESOURCE.
