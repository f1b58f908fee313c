# Reads the JSON trovex-report printed for escapes.txt, an empty file and a whole
# report (the first argument) and checks what a JSON reader gets: each file's
# verdict, texts escaped and decoded, numbers typed, and null for what the
# report never held. The other arguments are the first two files' paths.
import json, sys
d = json.loads(sys.argv[1])
assert [(f['file'], f['verdict'], f['complete'], f['lastKey']) for f in d[:2]] == [
    (sys.argv[2], 'cut report', False, 'clgpu[0].CLCompute'),
    (sys.argv[3], 'not a report', False, None)], d
assert d[1]['glgpu'] == [] and d[2]['complete'] is True and len(d[2]['glgpu']) == 2, d
g, c = d[0]['glgpu'][0], d[0]['clgpu'][0]
assert g['GLRenderer'] == 'tab\there \\ back "q" \u00e9 \u2713', g['GLRenderer']
assert g['GLMemoryMB'] == 4294967295 and g['HasGLNPOTSupport'] is True, g
assert g['GLVersion'] is None and g['GLName'] is None, g
assert g['glGetString'] == {'GL_SHADING_LANGUAGE_VERSION': '4.50'}, g
assert g['glGetProgramivARB'] == {'GL_FRAGMENT_PROGRAM_ARB': {'GL_MAX_PROGRAM_INSTRUCTIONS_ARB': None}}, g
assert len(g['extension']) == 10 and set(g['extension'].values()) == {None}, g
assert c['CLBandwidth'] is None and c['CLCompute'] == 2.5 and c['CUDAVersion'] is None, c
